#include "wizards/slideshowpage.h"

#include "shell/prompts.h"
#include "widgets/enterkey.h"

#include <QDir>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

SlideShowPage::SlideShowPage(Prompts &prompts,
                             std::function<QString(const QString &)> makeReference,
                             QWidget *parent)
    : QWidget(parent), m_prompts(prompts), m_makeReference(std::move(makeReference)),
      m_folder(new QLineEdit(this)), m_files(new QListWidget(this)),
      m_slides(new QListWidget(this)), m_delay(new QLineEdit(QStringLiteral("2000"), this)) {
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    auto *folderRow = new QHBoxLayout;
    folderRow->addWidget(new QLabel(QStringLiteral("Folder:"), this));
    m_folder->setObjectName(QStringLiteral("slideFolder"));
    folderRow->addWidget(m_folder, 1);
    auto *browse = new QToolButton(this);
    browse->setText(QStringLiteral("..."));
    browse->setToolTip(QStringLiteral("Choose the folder of the pictures"));
    folderRow->addWidget(browse);
    layout->addLayout(folderRow);

    auto *lists = new QHBoxLayout;
    m_files->setObjectName(QStringLiteral("slideFiles"));
    m_slides->setObjectName(QStringLiteral("slides"));
    m_slides->installEventFilter(this);
    auto *move = new QVBoxLayout;
    auto *add = new QPushButton(QStringLiteral(">"), this);
    add->setToolTip(QStringLiteral("Add the picture to the slides"));
    auto *remove = new QPushButton(QStringLiteral("<"), this);
    remove->setToolTip(QStringLiteral("Remove the slide"));
    for (QPushButton *b : {add, remove})
        b->setFixedWidth(36);
    move->addStretch();
    move->addWidget(add);
    move->addWidget(remove);
    move->addStretch();
    auto *left = new QVBoxLayout;
    left->addWidget(new QLabel(QStringLiteral("Pictures:"), this));
    left->addWidget(m_files);
    auto *right = new QVBoxLayout;
    right->addWidget(new QLabel(QStringLiteral("Slides:"), this));
    right->addWidget(m_slides);
    lists->addLayout(left, 1);
    lists->addLayout(move);
    lists->addLayout(right, 1);
    layout->addLayout(lists, 1);

    auto *delayRow = new QHBoxLayout;
    delayRow->addWidget(new QLabel(QStringLiteral("Delay:"), this));
    m_delay->setObjectName(QStringLiteral("slideDelay"));
    m_delay->setMaximumWidth(80);
    delayRow->addWidget(m_delay);
    delayRow->addWidget(new QLabel(QStringLiteral("milliseconds"), this));
    delayRow->addStretch();
    layout->addLayout(delayRow);
    auto *note = new QLabel(QStringLiteral("Set the index value at the top of the script to the "
                                           "position of the slide show's image among the images "
                                           "of your page (0 for the first)."),
                            this);
    note->setWordWrap(true);
    layout->addWidget(note);

    connect(browse, &QToolButton::clicked, this, [this] {
        const QString folder = m_prompts.pickFolder(QStringLiteral("Pictures"), m_folder->text());
        if (!folder.isEmpty())
            setFolder(folder);
    });
    connect(m_folder, &QLineEdit::editingFinished, this, [this] { setFolder(m_folder->text()); });
    keepEnterInField(m_folder);
    connect(add, &QPushButton::clicked, this, &SlideShowPage::addSlide);
    connect(m_files, &QListWidget::itemDoubleClicked, this, &SlideShowPage::addSlide);
    connect(remove, &QPushButton::clicked, this, &SlideShowPage::removeSlide);
    setFolder(QDir::currentPath());
}

void SlideShowPage::setFolder(const QString &folder) {
    m_folder->setText(QDir::toNativeSeparators(folder));
    m_files->clear();
    const QDir dir(folder);
    const QStringList files =
        dir.entryList({QStringLiteral("*.gif"), QStringLiteral("*.jpg"), QStringLiteral("*.jpeg")},
                      QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QString &file : files) {
        auto *item = new QListWidgetItem(file, m_files);
        item->setData(Qt::UserRole, dir.absoluteFilePath(file));
    }
}

QStringList SlideShowPage::slides() const {
    QStringList out;
    for (int i = 0; i < m_slides->count(); ++i)
        out << m_slides->item(i)->data(Qt::UserRole).toString();
    return out;
}

QString SlideShowPage::delay() const { return m_delay->text(); }

void SlideShowPage::addSlide() {
    QListWidgetItem *chosen = m_files->currentItem();
    if (!chosen)
        return;
    const QString reference = m_makeReference(chosen->data(Qt::UserRole).toString());
    auto *item = new QListWidgetItem(reference, m_slides);
    item->setData(Qt::UserRole, reference);
    m_slides->setCurrentItem(item);
}

void SlideShowPage::removeSlide() { delete m_slides->currentItem(); }

bool SlideShowPage::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_slides && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Delete) {
        removeSlide();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
