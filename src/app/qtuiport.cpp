#include "app/qtuiport.h"

#include "app/colors.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

#include <memory>

namespace byzel {
namespace {

QString fromUtf8(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

std::string toUtf8(const QString& s) {
    return s.toUtf8().toStdString();
}

QString startFolder(const std::string& initialPath) {
    if (initialPath.empty())
        return {};
    QFileInfo info(fromUtf8(initialPath));
    return info.isDir() ? info.absoluteFilePath() : info.absolutePath();
}

std::unique_ptr<QFileDialog> makeFileDialog(QWidget* owner, const FileDialogRequest& request) {
    auto dialog =
        std::make_unique<QFileDialog>(owner, fromUtf8(request.title),
                                      startFolder(request.initialPath), toQtFilter(request.filter));
    if (!request.defaultExtension.empty())
        dialog->setDefaultSuffix(fromUtf8(request.defaultExtension));
    // The filter names already show their patterns, "マーカファイル(*.mkg)": Qt's own copy of
    // them would repeat it.
    dialog->setOption(QFileDialog::HideNameFilterDetails);
    return dialog;
}

std::string runFileDialog(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return toUtf8(QFileInfo(dialog.selectedFiles().constFirst()).absoluteFilePath());
}

} // namespace

QString toQtFilter(std::string_view windowsFilter) {
    QStringList filters;
    for (const auto& f : parseFileFilter(windowsFilter)) {
        QStringList patterns;
        // "*.*" means every file on Windows; here it would miss names without a dot.
        for (const auto& p : f.patterns)
            patterns << (p == "*.*" ? QStringLiteral("*") : fromUtf8(p));
        filters << fromUtf8(f.name) + " (" + patterns.join(' ') + ")";
    }
    return filters.join(";;");
}

QWidget* QtUiPort::owner() const {
    if (QWidget* active = QApplication::activeModalWidget())
        return active;
    if (QWidget* active = QApplication::activeWindow())
        return active;
    return m_fallbackOwner;
}

int QtUiPort::showMessageBox(int, const std::string& text, BoxStyle style) {
    QMessageBox box(owner());
    box.setWindowTitle(fromUtf8(stringText(msg::ProgramName)));
    box.setTextFormat(Qt::PlainText);
    box.setText(fromUtf8(text));

    struct Choice {
        QMessageBox::StandardButton button;
        const char* label;
        int result;
    };
    std::vector<Choice> choices;
    switch (style) {
    case BoxStyle::Error:
        box.setIcon(QMessageBox::Critical);
        choices = {{QMessageBox::Ok, "OK", Ok}};
        break;
    case BoxStyle::Information:
        box.setIcon(QMessageBox::Information);
        choices = {{QMessageBox::Ok, "OK", Ok}};
        break;
    case BoxStyle::YesNo:
        box.setIcon(QMessageBox::Question);
        choices = {{QMessageBox::Yes, "はい(&Y)", Yes}, {QMessageBox::No, "いいえ(&N)", No}};
        break;
    case BoxStyle::YesNoCancel:
        box.setIcon(QMessageBox::Question);
        choices = {{QMessageBox::Yes, "はい(&Y)", Yes},
                   {QMessageBox::No, "いいえ(&N)", No},
                   {QMessageBox::Cancel, "キャンセル", Cancel}};
        break;
    }
    for (const auto& c : choices)
        box.addButton(c.button)->setText(QString::fromUtf8(c.label));
    box.setDefaultButton(choices.front().button);
    // Closing the box answers like its last button: OK, No, or Cancel.
    box.setEscapeButton(choices.back().button);

    const int pressed = box.exec();
    for (const auto& c : choices)
        if (pressed == c.button)
            return c.result;
    return choices.back().result;
}

std::string QtUiPort::chooseOpenFile(const FileDialogRequest& request) {
    auto dialog = makeFileDialog(owner(), request);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    return runFileDialog(*dialog);
}

std::string QtUiPort::chooseSaveFile(const FileDialogRequest& request) {
    auto dialog = makeFileDialog(owner(), request);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    // The callers ask about overwriting themselves, with the program's own message.
    dialog->setOption(QFileDialog::DontConfirmOverwrite);
    if (!request.proposedName.empty())
        dialog->selectFile(fromUtf8(request.proposedName));
    return runFileDialog(*dialog);
}

std::optional<ColorRef> QtUiPort::chooseColor(ColorRef initial) {
    QColor picked = QColorDialog::getColor(toQColor(initial), owner());
    if (!picked.isValid())
        return std::nullopt;
    return toColorRef(picked);
}

} // namespace byzel
