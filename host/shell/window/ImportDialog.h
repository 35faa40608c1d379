#pragma once

#include <QDialog>
#include <QPointer>

#include <functional>

class QDialogButtonBox;
class QLabel;
class QProgressBar;

namespace ZelkShell {

class FolderImport;

// Follows a folder import: the files looked at and the videos added while it
// runs, a Cancel button, and a summary when it is done. Not modal: the video
// keeps playing and the window answers meanwhile.
//
// When the import completes, `autoClose` is asked (then, not at the start:
// the setting may change while it runs): true closes the dialog, its
// summary going out with closedWithSummary(). A cancelled import, or one the
// library refused videos of, keeps the dialog open with its summary: the
// user asked to stop, or should see that something went wrong.
class ImportDialog : public QDialog {
    Q_OBJECT

public:
    ImportDialog(FolderImport& import, std::function<bool()> autoClose, QWidget* parent = nullptr);

    // Whether the import has finished (its summary is shown).
    bool isDone() const { return done_; }
    // What the dialog says of the import's state: empty while it runs.
    QString stateText() const;

signals:
    // The dialog closed by itself; `summary` is one line for the status bar.
    void closedWithSummary(const QString& summary);

public slots:
    // Esc and the window's close button while the import runs: cancel it and
    // go (what was added stays).
    void reject() override;

private:
    void buttonClicked();
    void showFigures();
    void importFinished();

    QPointer<FolderImport> import_;
    std::function<bool()> autoClose_;
    QLabel* filesLookedAt_;
    QLabel* videosAdded_;
    QLabel* skippedFolders_;
    QLabel* refusedNames_;
    QLabel* state_;
    QProgressBar* busy_;
    QDialogButtonBox* buttons_;
    bool done_ = false;
};

} // namespace ZelkShell
