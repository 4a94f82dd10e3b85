#pragma once
// Every message box, question, file dialog and browser launch of the windows goes through
// Prompts, so tests can answer them.

#include <QString>

class QWidget;

namespace kt {

class Prompts {
public:
    virtual ~Prompts() = default;
    // Error box: error icon, one OK button.
    virtual void error(const QString& text) = 0;
    // Information box: information icon, one OK button.
    virtual void info(const QString& text) = 0;
    // Question: Yes and No; true for Yes.
    virtual bool confirm(const QString& text) = 0;
    // Question whose Yes is the risky answer (work thrown away, a faulty Project passed on):
    // as confirm, but No is the default button, so that Enter keeps to the safe side.
    virtual bool confirmDestructive(const QString& text) = 0;
    // File-save dialog; empty when cancelled. The dialog asks nothing about overwriting.
    virtual QString saveFileName(const QString& dir, const QString& filter) = 0;
    // Folder chooser opened in `dir`; the chosen folder, empty when cancelled.
    virtual QString folderName(const QString& dir, const QString& caption) = 0;
    // File-open dialog for an existing file; empty when cancelled.
    virtual QString openFileName(const QString& dir, const QString& filter) = 0;
    // Opens a URL in the default browser.
    virtual void openUrl(const QString& url) = 0;
};

// The production implementation: QMessageBox, QFileDialog, QDesktopServices.
class QtPrompts final : public Prompts {
public:
    explicit QtPrompts(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    void error(const QString& text) override;
    void info(const QString& text) override;
    bool confirm(const QString& text) override;
    bool confirmDestructive(const QString& text) override;
    QString saveFileName(const QString& dir, const QString& filter) override;
    QString folderName(const QString& dir, const QString& caption) override;
    QString openFileName(const QString& dir, const QString& filter) override;
    void openUrl(const QString& url) override;

private:
    QWidget* parent_;
};

} // namespace kt
