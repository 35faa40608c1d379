#include "host/shell/window/ImportDialog.h"

#include "host/shell/videolibrary/FolderImport.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace ZelkShell {

namespace {

QString number(int value)
{
    return QLocale().toString(value);
}

} // namespace

ImportDialog::ImportDialog(FolderImport& import, std::function<bool()> autoClose, QWidget* parent)
    : QDialog(parent)
    , import_(&import)
    , autoClose_(std::move(autoClose))
    , filesLookedAt_(new QLabel(this))
    , videosAdded_(new QLabel(this))
    , skippedFolders_(new QLabel(this))
    , refusedNames_(new QLabel(this))
    , state_(new QLabel(this))
    , busy_(new QProgressBar(this))
    , buttons_(new QDialogButtonBox(QDialogButtonBox::Cancel, this))
{
    setObjectName(QStringLiteral("importDialog"));
    setWindowTitle(tr("Import Folder"));
    setModal(false);

    auto* heading = new QLabel(
        tr("Adding the videos in \"%1\" to the library…").arg(QDir::toNativeSeparators(import.folder())), this);
    heading->setObjectName(QStringLiteral("importHeading"));
    heading->setWordWrap(true);
    auto* figures = new QFormLayout;
    const auto addFigure = [this, figures](const QString& text, QLabel* value, const char* name) {
        value->setObjectName(QLatin1String(name));
        value->setAccessibleName(text);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        figures->addRow(text, value);
    };
    addFigure(tr("Files looked at:"), filesLookedAt_, "importFilesLookedAt");
    addFigure(tr("Videos added:"), videosAdded_, "importVideosAdded");
    addFigure(tr("Folders skipped (could not be read):"), skippedFolders_, "importSkippedFolders");
    addFigure(tr("Names refused (not valid in the system's encoding):"), refusedNames_, "importRefusedNames");
    // How much is left is not known before the walk ends: a busy bar.
    busy_->setRange(0, 0);
    busy_->setTextVisible(false);
    state_->setObjectName(QStringLiteral("importState"));
    state_->setWordWrap(true);
    connect(buttons_, &QDialogButtonBox::clicked, this, &ImportDialog::buttonClicked);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(figures);
    layout->addWidget(busy_);
    layout->addWidget(state_);
    layout->addWidget(buttons_);
    setMinimumWidth(420);

    connect(&import, &FolderImport::progressed, this, &ImportDialog::showFigures);
    connect(&import, &FolderImport::finished, this, &ImportDialog::importFinished);
    showFigures();
    if (import.isFinished())
        QMetaObject::invokeMethod(this, &ImportDialog::importFinished, Qt::QueuedConnection);
}

QString ImportDialog::stateText() const
{
    return state_->text();
}

void ImportDialog::showFigures()
{
    if (!import_)
        return;
    const FolderImport::Figures figures = import_->figures();
    filesLookedAt_->setText(number(figures.filesLookedAt));
    videosAdded_->setText(number(figures.videosAdded));
    skippedFolders_->setText(number(figures.skippedFolders));
    refusedNames_->setText(number(figures.refusedNames));
}

void ImportDialog::buttonClicked()
{
    if (done_) {
        close();
        return;
    }
    // Stays open: the summary follows once what was found so far has landed.
    if (import_)
        import_->cancel();
    state_->setText(tr("Cancelling…"));
    if (QPushButton* cancel = buttons_->button(QDialogButtonBox::Cancel))
        cancel->setEnabled(false);
}

void ImportDialog::reject()
{
    if (!done_ && import_)
        import_->cancel();
    QDialog::reject();
}

void ImportDialog::importFinished()
{
    if (done_ || !import_)
        return;
    done_ = true;
    showFigures();
    busy_->hide();
    const FolderImport::Figures figures = import_->figures();
    QString text = figures.cancelled ? tr("Import cancelled. The videos added so far stay in the library.")
                                     : tr("Import finished.");
    if (figures.failedWrites > 0)
        text += QLatin1Char('\n') + tr("Some videos could not be written to the library.");
    state_->setText(text);
    buttons_->setStandardButtons(QDialogButtonBox::Close);
    if (figures.cancelled || figures.failedWrites > 0 || !autoClose_ || !autoClose_())
        return;
    emit closedWithSummary(tr("Folder \"%1\" imported (videos added: %2).")
                               .arg(QDir::toNativeSeparators(import_->folder()), number(figures.videosAdded)));
    accept();
}

} // namespace ZelkShell
