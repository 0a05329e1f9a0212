#include "filepanel/multifilereplacedialog.h"

#include "filepanel/filepaneltexts.h"
#include "shell/appcontext.h"
#include "shell/prompts.h"
#include "widgets/folderpanel.h"

#include <QCheckBox>
#include <QDir>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QTreeWidget>
#include <QVBoxLayout>

MultiFileReplaceDialog::MultiFileReplaceDialog(AppContext &ctx, const QString &folder,
                                               const QStringList &openFiles,
                                               std::function<void()> showHelp, QWidget *parent)
    : QDialog(parent), m_ctx(ctx), m_openFiles(openFiles), m_help(std::move(showHelp)),
      m_browser(new FolderPanel), m_targets(new QListWidget), m_search(new QLineEdit),
      m_replacement(new QLineEdit),
      m_caseSensitive(new QCheckBox(QStringLiteral("Case sensitive search"))),
      m_searchButton(new QPushButton(QStringLiteral("Search"))),
      m_replaceButton(new QPushButton(QStringLiteral("Replace"))),
      m_cancelButton(new QPushButton(QStringLiteral("Cancel"))),
      m_doneButton(new QPushButton(QStringLiteral("Done"))), m_results(new QPlainTextEdit),
      m_progress(new QProgressBar) {
    setObjectName(QStringLiteral("multiFileReplaceDialog"));
    setWindowTitle(QStringLiteral("Multiple file search/replace"));
    setWindowFlag(Qt::WindowStaysOnTopHint);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(buildFileChoice(folder), 3);
    layout->addLayout(buildSearchArea(), 2);
    setRunning(false);
    resize(760, 600);
}

// The folder's pages on the left, the files to search on the right, arrows between.
QLayout *MultiFileReplaceDialog::buildFileChoice(const QString &folder) {
    m_browser->setObjectName(QStringLiteral("fileBrowser"));
    m_browser->setSettings(&m_ctx.settings);
    m_browser->setFileMask(m_ctx.settings.htmlMask);
    m_browser->setFolder(folder);
    QTreeWidget *list = m_browser->fileList();
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setDragEnabled(false);
    list->hideColumn(2);
    list->hideColumn(3);
    m_browser->setSizes({200, 200});
    connect(m_browser, &FolderPanel::fileActivated, this,
            &MultiFileReplaceDialog::addSelectedFiles);

    m_targets->setObjectName(QStringLiteral("filesToSearch"));
    m_targets->setSelectionMode(QAbstractItemView::ExtendedSelection);
    connect(m_targets, &QListWidget::itemDoubleClicked, this,
            &MultiFileReplaceDialog::removeSelectedEntries);

    auto *add = new QPushButton(QStringLiteral("->"));
    add->setObjectName(QStringLiteral("addFiles"));
    add->setToolTip(QStringLiteral("Add the selected files"));
    auto *remove = new QPushButton(QStringLiteral("<-"));
    remove->setObjectName(QStringLiteral("removeFiles"));
    remove->setToolTip(QStringLiteral("Remove the selected entries"));
    for (QPushButton *b : {add, remove}) {
        b->setFixedWidth(40);
        b->setAutoDefault(false);
    }
    connect(add, &QPushButton::clicked, this, &MultiFileReplaceDialog::addSelectedFiles);
    connect(remove, &QPushButton::clicked, this, &MultiFileReplaceDialog::removeSelectedEntries);
    auto *arrows = new QVBoxLayout;
    arrows->addStretch();
    arrows->addWidget(add);
    arrows->addWidget(remove);
    arrows->addStretch();

    auto *targetColumn = new QVBoxLayout;
    auto *targetLabel = new QLabel(QStringLiteral("Files to search:"));
    targetLabel->setBuddy(m_targets);
    targetColumn->addWidget(targetLabel);
    targetColumn->addWidget(m_targets);

    auto *top = new QHBoxLayout;
    top->addWidget(m_browser, 5);
    top->addLayout(arrows);
    top->addLayout(targetColumn, 6);

    return top;
}

// The search and replacement texts over the results, the buttons beside them.
QLayout *MultiFileReplaceDialog::buildSearchArea() {
    m_search->setObjectName(QStringLiteral("searchFor"));
    m_replacement->setObjectName(QStringLiteral("replaceWith"));
    m_caseSensitive->setObjectName(QStringLiteral("caseSensitive"));
    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("Search for:"), m_search);
    fields->addRow(QStringLiteral("Replace with:"), m_replacement);
    fields->addRow(QString(), m_caseSensitive);

    m_searchButton->setObjectName(QStringLiteral("search"));
    m_replaceButton->setObjectName(QStringLiteral("replace"));
    m_cancelButton->setObjectName(QStringLiteral("cancelRun"));
    m_doneButton->setObjectName(QStringLiteral("done"));
    auto *help = new QPushButton(QStringLiteral("Help"));
    // Enter in the fields counts: the search changes no file.
    for (QPushButton *b : {m_replaceButton, m_cancelButton, m_doneButton, help})
        b->setAutoDefault(false);
    m_searchButton->setDefault(true);
    connect(m_searchButton, &QPushButton::clicked, this, &MultiFileReplaceDialog::search);
    connect(m_replaceButton, &QPushButton::clicked, this, &MultiFileReplaceDialog::replace);
    connect(m_cancelButton, &QPushButton::clicked, this, [this] { m_cancel = true; });
    connect(m_doneButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [this] {
        if (m_help)
            m_help();
    });
    auto *buttons = new QVBoxLayout;
    for (QPushButton *b : {m_searchButton, m_replaceButton, m_cancelButton, m_doneButton, help})
        buttons->addWidget(b);
    buttons->addStretch();

    m_results->setObjectName(QStringLiteral("results"));
    m_results->setReadOnly(true);
    m_results->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_progress->setObjectName(QStringLiteral("progress"));
    m_progress->setTextVisible(true);

    auto *bottomLeft = new QVBoxLayout;
    bottomLeft->addLayout(fields);
    bottomLeft->addWidget(m_results, 1);
    bottomLeft->addWidget(m_progress);
    auto *bottom = new QHBoxLayout;
    bottom->addLayout(bottomLeft, 1);
    bottom->addLayout(buttons);

    return bottom;
}

MultiFileReplaceDialog::~MultiFileReplaceDialog() {
    if (m_worker) {
        m_cancel = true;
        m_worker->wait();
    }
}

void MultiFileReplaceDialog::addSelectedFiles() {
    const QString folder = m_browser->folder();
    const QList<QTreeWidgetItem *> rows = m_browser->fileList()->selectedItems();
    QStringList present = files();
    for (int i = 0; i < m_browser->rowCount(); ++i) {
        QTreeWidgetItem *row = m_browser->fileList()->topLevelItem(i);
        if (!rows.contains(row))
            continue;
        const QString full = QDir(folder).filePath(row->text(0));
        if (present.contains(full))
            continue;
        present << full;
        m_targets->addItem(full);
    }
}

void MultiFileReplaceDialog::removeSelectedEntries() {
    qDeleteAll(m_targets->selectedItems());
}

QStringList MultiFileReplaceDialog::files() const {
    QStringList out;
    for (int i = 0; i < m_targets->count(); ++i)
        out << m_targets->item(i)->text();
    return out;
}

bool MultiFileReplaceDialog::checkInput() {
    if (m_targets->count() == 0) {
        m_ctx.prompt().information(FilePanelTexts::NoFilesToSearch);
        return false;
    }
    if (m_search->text().isEmpty()) {
        m_ctx.prompt().information(FilePanelTexts::NoSearchText);
        return false;
    }
    return true;
}

void MultiFileReplaceDialog::search() {
    if (isRunning() || !checkInput())
        return;
    MultiFileRequest r;
    r.mode = MultiFileRequest::Mode::Search;
    r.needle = m_search->text();
    r.cs = m_caseSensitive->isChecked() ? Qt::CaseSensitive : Qt::CaseInsensitive;
    run(r);
}

void MultiFileReplaceDialog::replace() {
    if (isRunning() || !checkInput())
        return;
    const QStringList list = files();
    const QString question =
        FilePanelTexts::confirmReplaceIn(m_search->text(), m_replacement->text(), list.size());
    if (m_ctx.prompt().askYesNoCancel(Prompts::Kind::Confirmation, question) !=
        Prompts::Answer::Yes)
        return;
    bool open = false;
    for (const QString &f : list)
        open = open || m_openFiles.contains(QDir::cleanPath(f));
    if (open &&
        m_ctx.prompt().askYesNoCancel(Prompts::Kind::Confirmation,
                                      FilePanelTexts::ReplaceInOpenFile) != Prompts::Answer::Yes)
        return;
    MultiFileRequest r;
    r.mode = MultiFileRequest::Mode::Replace;
    r.needle = m_search->text();
    r.replacement = m_replacement->text();
    r.cs = m_caseSensitive->isChecked() ? Qt::CaseSensitive : Qt::CaseInsensitive;
    run(r);
}

void MultiFileReplaceDialog::run(MultiFileRequest request) {
    m_request = request;
    m_cancel = false;
    const QStringList list = files();
    m_progress->setRange(0, int(list.size()));
    m_progress->setValue(0);
    m_results->clear();
    setRunning(true);
    m_worker = QThread::create([this, list, request] {
        m_outcomes = processFiles(list, request, &m_cancel, [this](int done) {
            QMetaObject::invokeMethod(
                m_progress, [this, done] { m_progress->setValue(qMax(done, m_progress->value())); },
                Qt::QueuedConnection);
        });
    });
    connect(m_worker, &QThread::finished, this, &MultiFileReplaceDialog::onFinished);
    m_worker->start();
}

void MultiFileReplaceDialog::onFinished() {
    m_worker->deleteLater();
    m_worker = nullptr;
    m_results->setPlainText(outcomeLines(m_outcomes, m_request.mode).join(QLatin1Char('\n')));
    setRunning(false);
    Q_EMIT finished();
}

void MultiFileReplaceDialog::setRunning(bool running) {
    m_searchButton->setEnabled(!running);
    m_replaceButton->setEnabled(!running);
    m_doneButton->setEnabled(!running);
    m_cancelButton->setVisible(running);
    m_progress->setVisible(running);
    m_browser->setEnabled(!running);
    m_targets->setEnabled(!running);
}

void MultiFileReplaceDialog::reject() {
    if (m_worker) {
        m_cancel = true; // the run stops after the files under way; the window stays
        return;
    }
    QDialog::reject();
}

QString MultiFileReplaceDialog::resultText() const { return m_results->toPlainText(); }

QStringList MultiFileReplaceDialog::rewrittenFiles() const {
    QStringList files;
    for (const FileOutcome &o : m_outcomes)
        if (o.changed)
            files << o.path;
    return files;
}
