// The real dialogs behind the prompter.
#include "dialogs/prompter.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

#include "dialogs/connect_dialog.h"

namespace pathloom::dialogs {

bool Prompter::runDialog(QDialog& dialog) {
    return dialog.exec() == QDialog::Accepted;
}

void DialogPrompter::message(QWidget* parent, const QString& text) {
    QMessageBox::information(parent, QStringLiteral("Pathloom"), text);
}

void DialogPrompter::warning(QWidget* parent, const QString& text) {
    QMessageBox::warning(parent, QStringLiteral("Pathloom"), text);
}

void DialogPrompter::about(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox::about(parent, title, text);
}

Prompter::Unsaved DialogPrompter::askUnsaved(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Pathloom"), text, QMessageBox::NoButton,
                    parent);
    QPushButton* exportButton = box.addButton(
        QCoreApplication::translate("Prompter", "导出代码(&E)"), QMessageBox::AcceptRole);
    QPushButton* discardButton = box.addButton(
        QCoreApplication::translate("Prompter", "不导出(&D)"), QMessageBox::DestructiveRole);
    QPushButton* cancelButton =
        box.addButton(QCoreApplication::translate("Prompter", "取消"), QMessageBox::RejectRole);
    box.setDefaultButton(exportButton);
    box.setEscapeButton(cancelButton);
    box.exec();
    if (box.clickedButton() == exportButton) return Unsaved::Export;
    if (box.clickedButton() == discardButton) return Unsaved::Discard;
    return Unsaved::Cancel;
}

QString DialogPrompter::openFile(QWidget* parent, const QString& title, const QString& filters) {
    return QFileDialog::getOpenFileName(parent, title, QString(), filters);
}

QString DialogPrompter::saveFile(QWidget* parent, const QString& title, const QString& proposedPath,
                                 const QString& filters, const QString& selectedFilter) {
    QString chosenFilter = selectedFilter;
    return QFileDialog::getSaveFileName(parent, title, proposedPath, filters, &chosenFilter);
}

std::optional<QString> DialogPrompter::connectAddress(QWidget* parent,
                                                      const ControllerSession& session) {
    ConnectDialog dialog(session, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.address();
}

int DialogPrompter::choosePage(QWidget* parent, int pageCount) {
    bool ok = false;
    const int page = QInputDialog::getInt(
        parent, QCoreApplication::translate("Prompter", "选择页面"),
        QCoreApplication::translate("Prompter", "这个 PDF 文件有 %1 页。导入第几页？")
            .arg(pageCount),
        1, 1, pageCount, 1, &ok);
    return ok ? page : 0;
}

void DialogPrompter::openDocument(const QString& path) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

}  // namespace pathloom::dialogs
