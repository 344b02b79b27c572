#pragma once

#include <QDialog>

#include <memory>

class QButtonGroup;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QTableWidget;

namespace byzel {

class ByteSource;
class CTormelApp;
class OccurrenceCounter;
class SettingsStore;
class UiPort;

// "出現回数": how often each Shift-JIS character and each byte value of the dump file occurs.
// The character list follows the kind filter and the capacity chosen in the dialog (both
// remembered at once); the byte value table is made once per opening. The counting runs off
// the interface thread and can be stopped; a stopped count leaves the dialog as it was.
class CAppearanceDlg : public QDialog {
    Q_OBJECT
public:
    CAppearanceDlg(const ByteSource& source, SettingsStore& settings, UiPort& ui,
                   QWidget* parent = nullptr);
    ~CAppearanceDlg() override;

    // Counts everything: the character list, the byte value table and the total. False when
    // the count was stopped or the file could not be read.
    bool countAll();
    // "更新(&R)": counts the characters again with the current filter and capacity.
    bool countCharacters();

private:
    // One pass over the dump file; nothing when stopped or unreadable.
    std::unique_ptr<OccurrenceCounter> runPass();
    void fillCharacterList(const OccurrenceCounter& counts);
    void fillCodeTable(const OccurrenceCounter& counts);
    void selectStoredCapacity();
    [[nodiscard]] int capacity() const;

    const ByteSource& m_source;
    SettingsStore& m_settings;
    UiPort& m_ui;
    QComboBox* m_maxCombo;
    QButtonGroup* m_kinds;
    QTableWidget* m_list;
    QPlainTextEdit* m_codeTable;
    QLabel* m_total;
};

// Opens the occurrence counter on the open dump file and counts, then runs it modally.
void openAppearanceDialog(CTormelApp& app, QWidget* parent);

} // namespace byzel
