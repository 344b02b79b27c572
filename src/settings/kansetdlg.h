#pragma once

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QRadioButton;
class QSpinBox;

namespace byzel {

class CTormelApp;
class CTormelView;
class SettingsStore;
class UiPort;

// The environment settings: the listing font's face, size and weight, opening the last file at
// start and the side of the dump view's vertical scroll bar. Stores on "保存して終了(&S)" only.
class CKansetDlg : public QDialog {
    Q_OBJECT
public:
    // faces: the installed font families as the platform reports them.
    CKansetDlg(SettingsStore& settings, UiPort& ui, const QStringList& faces,
               QWidget* parent = nullptr);

    // The families installed now, with the Windows faces the program maps to one of them.
    [[nodiscard]] static QStringList installedFaces();

    [[nodiscard]] QComboBox* fontNameBox() const { return m_fontName; }
    [[nodiscard]] QSpinBox* fontSizeBox() const { return m_fontSize; }
    [[nodiscard]] QRadioButton* normalButton() const { return m_normal; }
    [[nodiscard]] QRadioButton* boldButton() const { return m_bold; }
    [[nodiscard]] QCheckBox* openLastBox() const { return m_openLast; }
    [[nodiscard]] QCheckBox* leftScrollBarBox() const { return m_leftScrollBar; }

    // Stores the five values and closes, or says that no font is picked and stays open.
    void accept() override;

private:
    void fillFontNames(const QStringList& faces);
    void showStoredValues();

    SettingsStore& m_settings;
    UiPort& m_ui;
    QComboBox* m_fontName;
    QSpinBox* m_fontSize;
    QRadioButton* m_normal;
    QRadioButton* m_bold;
    QCheckBox* m_openLast;
    QCheckBox* m_leftScrollBar;
};

// Runs the settings dialog; once it stored, moves the view's scroll bar when its side changed
// and lays the view out in the new font. True when the values were stored.
bool ShowKanset(CTormelApp& app, CTormelView& view, QWidget* parent);

} // namespace byzel
