#include "ui/UPrompts.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

namespace kt {

namespace {
QWidget* Owner(QWidget* preferred) {
    if (QWidget* w = QApplication::activeModalWidget()) return w;
    if (QWidget* w = QApplication::activeWindow()) return w;
    return preferred;
}
} // namespace

void QtPrompts::error(const QString& text) {
    QMessageBox::critical(Owner(parent_), QApplication::applicationDisplayName(), text);
}

void QtPrompts::info(const QString& text) {
    QMessageBox::information(Owner(parent_), QApplication::applicationDisplayName(), text);
}

bool QtPrompts::confirm(const QString& text) {
    return QMessageBox::question(Owner(parent_), QApplication::applicationDisplayName(), text,
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

bool QtPrompts::confirmDestructive(const QString& text) {
    return QMessageBox::question(Owner(parent_), QApplication::applicationDisplayName(), text,
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

QString QtPrompts::saveFileName(const QString& dir, const QString& filter) {
    return QFileDialog::getSaveFileName(Owner(parent_), QString(), dir, filter, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

QString QtPrompts::folderName(const QString& dir, const QString& caption) {
    return QFileDialog::getExistingDirectory(Owner(parent_), caption, dir);
}

QString QtPrompts::openFileName(const QString& dir, const QString& filter) {
    return QFileDialog::getOpenFileName(Owner(parent_), QString(), dir, filter);
}

void QtPrompts::openUrl(const QString& url) {
    QDesktopServices::openUrl(QUrl(url));
}

} // namespace kt
