#include "picturebrowser.h"

#include "browserpreview.h"
#include "namegridview.h"
#include "picturefolder.h"
#include "pictureview.h"

#include "platform/dialogs.h"
#include "platform/imaging/picture.h"
#include "platform/units.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStandardPaths>

namespace {

QString startingFolder()
{
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return !pictures.isEmpty() && QFileInfo(pictures).isDir() ? pictures : QDir::homePath();
}

bool readableFolder(const QString &path)
{
    const QFileInfo info(path);
    return !path.isEmpty() && info.isDir() && info.isReadable() && info.isExecutable();
}

constexpr int leftColumn = 60;
constexpr int leftWidth = 1620;
constexpr int gridLeft = 1740;
constexpr int lineHeight = 330;   // a drop-down list or a button

} // namespace

PictureBrowser::PictureBrowser(QWidget *window, Dialogs &dialogs)
    : QFrame(window)
    , m_dialogs(dialogs)
    , m_browseFolder(startingFolder())
{
    setObjectName(QStringLiteral("F_ouvrir"));
    build();
    hide();
}

void PictureBrowser::build()
{
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);   // covers what lies under it
    setFixedSize(units::twipsToPixels(widthTwips), units::twipsToPixels(heightTwips));
    QFont small = font();
    small.setPixelSize(11);
    setFont(small);

    auto *title = new QLabel(QStringLiteral("CHARGER IMAGE"), this);
    QFont bold = small;
    bold.setBold(true);
    title->setFont(bold);
    title->setGeometry(units::twipsToPixels(leftColumn, 0, leftWidth, FileGrid::rowHeight));

    R_lectouvrir = new QComboBox(this);
    R_lectouvrir->setObjectName(QStringLiteral("R_lectouvrir"));
    R_lectouvrir->setGeometry(units::twipsToPixels(leftColumn, FileGrid::rowHeight, leftWidth, lineHeight));

    R_repouvrir = new QListWidget(this);
    R_repouvrir->setObjectName(QStringLiteral("R_repouvrir"));
    R_repouvrir->setGeometry(units::twipsToPixels(leftColumn, 585, leftWidth, 1365));

    L_fichouvrir = new NameGridView(this);
    L_fichouvrir->setObjectName(QStringLiteral("L_fichouvrir"));
    L_fichouvrir->move(units::twipsToPixels(gridLeft), units::twipsToPixels(FileGrid::rowHeight));

    A_fichouvrir = new QScrollBar(Qt::Horizontal, this);
    A_fichouvrir->setObjectName(QStringLiteral("A_fichouvrir"));
    A_fichouvrir->setGeometry(units::twipsToPixels(gridLeft, 1995, FileGrid::columns * FileGrid::columnWidth, 240));
    A_fichouvrir->setRange(0, 0);
    A_fichouvrir->setEnabled(false);

    L_formouvrir = new QComboBox(this);
    L_formouvrir->setObjectName(QStringLiteral("L_formouvrir"));
    L_formouvrir->setGeometry(units::twipsToPixels(leftColumn, 2310, gridLeft - leftColumn + FileGrid::columns * FileGrid::columnWidth,
                                     lineHeight));

    L_ouvrir = new PictureView(this);
    L_ouvrir->setObjectName(QStringLiteral("L_ouvrir"));
    L_ouvrir->hide();

    E_info = new QLabel(this);
    E_info->setObjectName(QStringLiteral("E_info"));
    E_info->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    E_info->setGeometry(units::twipsToPixels(browserpreview::boxLeft, 1845, browserpreview::boxWidth, 645));

    B_annulouvfich = new QPushButton(QStringLiteral("ANNULER"), this);
    B_annulouvfich->setObjectName(QStringLiteral("B_annulouvfich"));
    B_annulouvfich->setGeometry(units::twipsToPixels(browserpreview::boxLeft, 2535, browserpreview::boxWidth, 375));

    connect(L_fichouvrir, &NameGridView::hovered, this, &PictureBrowser::L_fichouvrir_MouseMove);
    connect(L_fichouvrir, &NameGridView::released, this, &PictureBrowser::L_fichouvrir_MouseUp);
    connect(R_lectouvrir, &QComboBox::currentIndexChanged, this, &PictureBrowser::R_lectouvrir_Change);
    connect(R_repouvrir, &QListWidget::itemClicked, this, &PictureBrowser::R_repouvrir_Click);
    connect(L_formouvrir, &QComboBox::currentIndexChanged, this, [this] {
        m_grid.setFirstColumn(0);
        listefichouvrir();
    });
    connect(A_fichouvrir, &QScrollBar::valueChanged, this, [this](int value) {
        m_grid.setFirstColumn(value);
        listefichouvrir();
    });
    connect(B_annulouvfich, &QPushButton::clicked, this, &PictureBrowser::closeBrowser);
}

void PictureBrowser::ouvrirphoto()
{
    {
        const QSignalBlocker blockDrives(R_lectouvrir);
        const QSignalBlocker blockTypes(L_formouvrir);
        m_drives = picturefolder::systemDrives();
        R_lectouvrir->clear();
        R_lectouvrir->addItems(m_drives);
        L_formouvrir->clear();
        L_formouvrir->addItems(picturefolder::formatEntries());
        L_formouvrir->setCurrentIndex(0);
    }
    const QString start = readableFolder(m_browseFolder) ? m_browseFolder : QDir::homePath();
    m_grid.setFirstColumn(0);
    browse(QDir::cleanPath(start));
    m_browseDrive = R_lectouvrir->currentText();
    show();
    raise();
}

void PictureBrowser::listefichouvrir()
{
    E_info->clear();
    forgetHover();
    m_grid.setFiles(picturefolder::pictureFiles(m_folder, pictureType()));
    {
        // An idle bar is back at the first column, so no name is skipped.
        const QSignalBlocker block(A_fichouvrir);
        A_fichouvrir->setRange(0, m_grid.scrollMaximum());
        A_fichouvrir->setValue(m_grid.firstColumn());
        A_fichouvrir->setEnabled(m_grid.scrollEnabled());
    }
    L_fichouvrir->setNames(m_grid.shownNames());
}

void PictureBrowser::infoouvrir()
{
    L_ouvrir->hide();
    const int index = L_fichouvrir->selected();
    m_hoveredFile = m_grid.fileName(index);
    m_hoveredPath = picturefolder::joined(m_folder, m_hoveredFile);
    const QDateTime modified = QFileInfo(m_hoveredPath).lastModified();
    PictureLoad load = Picture::load(m_hoveredPath);
    if (!load.ok) {
        m_preview.clear();
        L_ouvrir->setPicture(Picture());
        E_info->setText(browserpreview::unreadableInfo(modified));
        return;
    }
    m_preview = load.picture;
    L_ouvrir->setPicture(m_preview);
    L_ouvrir->setGeometry(units::twipsToPixels(browserpreview::rect(m_preview.pixelSize())));
    L_ouvrir->show();
    E_info->setText(browserpreview::info(m_preview.pixelSize(), modified));
}

void PictureBrowser::closeBrowser()
{
    m_browseFolder = m_folder;
    forgetHover();
    hide();
}

void PictureBrowser::L_fichouvrir_MouseMove(QPoint twips)
{
    const int index = m_grid.indexAt(twips);
    if (index < 0) {
        forgetHover();
        return;
    }
    L_fichouvrir->setSelected(index);
    if (m_grid.fileName(index) != m_hoveredFile)
        infoouvrir();
    else if (!m_preview.isNull())
        L_ouvrir->show();
}

void PictureBrowser::L_fichouvrir_MouseUp(QPoint twips)
{
    // A click picks what lies under the pointer, moved onto or not.
    L_fichouvrir_MouseMove(twips);
    if (L_fichouvrir->selectedText().isEmpty()) {
        m_dialogs.beep();
        m_dialogs.inform(QStringLiteral("NOM DE FICHIER ABSENT"), QStringLiteral("Indiquer un nom de fichier"),
                         Dialogs::Icon::Exclamation);
        return;
    }
    emit chosen(m_hoveredPath);
}

void PictureBrowser::R_lectouvrir_Change()
{
    const QString drive = R_lectouvrir->currentText();
    if (!readableFolder(drive)) {
        const QSignalBlocker block(R_lectouvrir);
        R_lectouvrir->setCurrentIndex(R_lectouvrir->findText(m_browseDrive));
        return;
    }
    m_browseDrive = drive;
    m_grid.setFirstColumn(0);
    browse(drive);
}

void PictureBrowser::R_repouvrir_Click(QListWidgetItem *item)
{
    const QString path = item ? item->data(Qt::UserRole).toString() : QString();
    if (!readableFolder(path))
        return;
    m_grid.setFirstColumn(0);
    browse(path);
}

// Makes `folder` the browsed folder and lists it.
void PictureBrowser::browse(const QString &folder)
{
    m_folder = folder;
    refreshFolders();
    showDriveOf(folder);
    listefichouvrir();
}

void PictureBrowser::refreshFolders()
{
    R_repouvrir->clear();
    for (const picturefolder::FolderEntry &entry : picturefolder::folderEntries(m_folder)) {
        auto *item = new QListWidgetItem(QString(entry.depth * 2, QLatin1Char(' ')) + entry.label, R_repouvrir);
        item->setData(Qt::UserRole, entry.path);
        if (entry.current)
            R_repouvrir->setCurrentItem(item);
    }
}

void PictureBrowser::showDriveOf(const QString &folder)
{
    const QSignalBlocker block(R_lectouvrir);
    const int index = R_lectouvrir->findText(picturefolder::driveOf(folder, m_drives));
    if (index >= 0)
        R_lectouvrir->setCurrentIndex(index);
}

void PictureBrowser::forgetHover()
{
    m_hoveredFile.clear();
    m_hoveredPath.clear();
    m_preview.clear();
    L_ouvrir->hide();
    L_fichouvrir->setSelected(-1);
}

QString PictureBrowser::pictureType() const
{
    return picturefolder::typeOf(L_formouvrir->currentText());
}
