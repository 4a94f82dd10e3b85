#include "ui/UPrompts.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QGridLayout>
#include <QMessageBox>
#include <QScreen>
#include <QUrl>

#include <algorithm>

namespace kt {

namespace {
QWidget* Owner(QWidget* preferred) {
    if (QWidget* w = QApplication::activeModalWidget()) return w;
    if (QWidget* w = QApplication::activeWindow()) return w;
    return preferred;
}

// Qt wraps a message at about 400 px, which breaks a list of findings in the middle of each
// line. The box may grow to the longest line, up to two thirds of the screen.
QMessageBox::StandardButton Ask(QWidget* owner, QMessageBox::Icon icon, const QString& text,
                                QMessageBox::StandardButtons buttons,
                                QMessageBox::StandardButton defaultButton) {
    QMessageBox box(icon, QApplication::applicationDisplayName(), text, buttons, owner);
    box.setDefaultButton(defaultButton);
    int widest = 0;
    for (const QString& line : text.split('\n'))
        widest = std::max(widest, box.fontMetrics().horizontalAdvance(line));
    const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    const int room = screen ? screen->availableGeometry().width() * 2 / 3 : 640;
    // The spacer spans the icon's column too.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(std::min(widest + 100, room), 0, QSizePolicy::Minimum,
                                      QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
    return static_cast<QMessageBox::StandardButton>(box.exec());
}
} // namespace

void QtPrompts::error(const QString& text) {
    Ask(Owner(parent_), QMessageBox::Critical, text, QMessageBox::Ok, QMessageBox::Ok);
}

void QtPrompts::info(const QString& text) {
    Ask(Owner(parent_), QMessageBox::Information, text, QMessageBox::Ok, QMessageBox::Ok);
}

bool QtPrompts::confirm(const QString& text) {
    return Ask(Owner(parent_), QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No,
               QMessageBox::NoButton) == QMessageBox::Yes;
}

bool QtPrompts::confirmDestructive(const QString& text) {
    return Ask(Owner(parent_), QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No,
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
