#pragma once

#include "labelpicture.h"
#include "picturedrag.h"

#include <QObject>
#include <QString>

struct AppState;
class Dialogs;
class PictureBrowser;
class PictureView;
class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class QScrollBar;
class QWidget;

// The label picture on screen: the frame `F_etiquet` with its imaging
// control `L_etiquet` floating over the label editor, the picture controls
// in the editing frame, and the picture browser `F_ouvrir`. The rules live
// in LabelPicture and PictureDrag; this class shows them and feeds them the
// user's actions.
class PicturePanel : public QObject {
    Q_OBJECT
public:
    // `F_etiquet` and `F_ouvrir` become children of `window`; the picture
    // floats over `editor` (the label editor); the controls are laid out
    // inside `controlsHost`.
    PicturePanel(QWidget *window, QWidget *editor, QWidget *controlsHost, AppState &state, Dialogs &dialogs);

    // To call once the editor has been placed (createtiq): a picture keeps
    // its place in the label, shrinking if the label got too small for it.
    void editorPlaced();

    // What the label-writing code stores.
    bool hasPicture() const { return m_picture.hasPicture(); }
    const Picture &picture() const { return m_picture.picture(); }   // resampled
    PicturePlacement placement() const { return m_picture.placement(); }
    int xpixel() const { return m_picture.xpixel(); }
    int ypixel() const { return m_picture.ypixel(); }
    const LabelPicture &model() const { return m_picture; }

    // Recall of a stored label, template or page: clearPicture drops the
    // current picture and its captions; restorePicture brings back a stored
    // (already resampled) picture with its placement and shows it.
    void clearPicture();
    void restorePicture(const Picture &stored, const PicturePlacement &placement);

    // Reads a picture file and fits it into the label. A file that cannot be
    // read is answered with "IMAGE ILLISIBLE"; the label keeps its picture.
    bool openPicture(const QString &path);

    QFrame *F_etiquet = nullptr;
    PictureView *L_etiquet = nullptr;
    QCheckBox *C_image = nullptr;
    QPushButton *B_ouvimag = nullptr;
    QPushButton *B_supimag = nullptr;
    QScrollBar *A_format = nullptr;
    QScrollBar *A_left = nullptr;
    QScrollBar *A_top = nullptr;
    QLabel *E_format = nullptr;
    QLabel *E_left = nullptr;
    QLabel *E_top = nullptr;
    QLabel *E_pixel = nullptr;
    QLabel *E_qualite = nullptr;
    PictureBrowser *F_ouvrir = nullptr;

signals:
    // A picture was chosen: the caret goes back to the label text.
    void textFocusWanted();

public slots:
    // Fits a picture into the label and shows it; false (and nothing
    // changed) for a null picture or a label with no room.
    bool ouvimage(const Picture &picture);
    void redimimage();
    void changeformat();
    void changeleft();
    void changetop();
    void visuimage(bool aut);
    void supimage();
    bool sauvimage(const QString &path);
    void C_image_Click();
    void B_ouvimag_Click();

private:
    void buildControls(QWidget *host);
    void setImageTicked(bool ticked);
    void showModel();
    void showBars();
    void showFrame();
    void showCaptions();
    void pictureChosen(const QString &path);
    Picture readPicture(const QString &path);
    void L_etiquet_MouseDown(QPoint twips, Qt::MouseButton button);
    void L_etiquet_MouseMove(QPoint twips);
    void L_etiquet_MouseUp();
    void showPointer(PointerShape shape);
    QRect editorTwips() const;

    QWidget *m_window;
    QWidget *m_editor;
    AppState &m_state;
    Dialogs &m_dialogs;
    LabelPicture m_picture;
    PictureDrag m_drag{m_picture};
};
