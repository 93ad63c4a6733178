#pragma once

#include "filegrid.h"

#include "platform/imaging/picture.h"

#include <QFrame>
#include <QStringList>

class Dialogs;
class NameGridView;
class PictureView;
class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QScrollBar;

// `F_ouvrir`, "CHARGER IMAGE": the picture browser built into the main
// window. It lists the pictures of one folder and one type, previews the
// one under the mouse, and on a click hands its path on through `chosen`;
// whoever takes the picture then closes the browser with closeBrowser().
//
// The browsed folder is the browser's own: the process's working folder
// is never changed, so files the program addresses from its own folder are
// unaffected by browsing.
class PictureBrowser : public QFrame {
    Q_OBJECT
public:
    PictureBrowser(QWidget *window, Dialogs &dialogs);

    // The frame's fixed size, in twips.
    static constexpr int widthTwips = 5760;
    static constexpr int heightTwips = 2970;

    // The folder shown when the browser opens; it becomes the browsed
    // folder each time the browser closes. Before the first browse of a
    // run: the user's pictures folder, or the home folder.
    QString browseFolder() const { return m_browseFolder; }
    void setBrowseFolder(const QString &folder) { m_browseFolder = folder; }
    QString browseDrive() const { return m_browseDrive; }
    // The folder being browsed.
    QString folder() const { return m_folder; }

    const FileGrid &grid() const { return m_grid; }
    // The hovered picture: its full path, and the picture when it could be read.
    QString hoveredPath() const { return m_hoveredPath; }
    const Picture &preview() const { return m_preview; }

    QComboBox *R_lectouvrir = nullptr;
    QListWidget *R_repouvrir = nullptr;
    QComboBox *L_formouvrir = nullptr;
    NameGridView *L_fichouvrir = nullptr;
    QScrollBar *A_fichouvrir = nullptr;
    PictureView *L_ouvrir = nullptr;
    QLabel *E_info = nullptr;
    QPushButton *B_annulouvfich = nullptr;

signals:
    void chosen(const QString &path);

public slots:
    void ouvrirphoto();
    void listefichouvrir();
    void infoouvrir();
    // Cancelling, or a picture taken: remembers the folder and hides.
    void closeBrowser();

private:
    void build();
    void refreshFolders();
    void showDriveOf(const QString &folder);
    void browse(const QString &folder);
    void forgetHover();
    QString pictureType() const;

    void L_fichouvrir_MouseMove(QPoint twips);
    void L_fichouvrir_MouseUp(QPoint twips);
    void R_lectouvrir_Change();
    void R_repouvrir_Click(QListWidgetItem *item);

    Dialogs &m_dialogs;
    FileGrid m_grid;
    QStringList m_drives;
    QString m_browseFolder;
    QString m_browseDrive;
    QString m_folder;
    QString m_hoveredFile;
    QString m_hoveredPath;
    Picture m_preview;
};
