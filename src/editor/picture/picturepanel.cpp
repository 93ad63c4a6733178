#include "picturepanel.h"

#include "picturebrowser.h"
#include "pictureview.h"

#include "platform/dialogs.h"
#include "platform/imaging/picturemessage.h"
#include "platform/units.h"
#include "storage/appstate.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

template <typename Control>
Control *named(Control *control, const char *name)
{
    control->setObjectName(QString::fromLatin1(name));
    control->setFocusPolicy(Qt::NoFocus);   // the label text keeps the caret
    QSizePolicy policy = control->sizePolicy();
    policy.setRetainSizeWhenHidden(true);   // the controls keep their places
    control->setSizePolicy(policy);
    return control;
}

QScrollBar *bar(QWidget *host, const char *name)
{
    return named(new QScrollBar(Qt::Horizontal, host), name);
}

QLabel *caption(QWidget *host, const char *name)
{
    return named(new QLabel(host), name);
}

void show(QScrollBar *bar, const ScrollRange &range, bool enabled)
{
    const QSignalBlocker block(bar);
    bar->setRange(range.minimum, range.maximum);
    bar->setValue(range.value);
    bar->setSingleStep(range.smallChange);
    bar->setPageStep(range.largeChange);
    bar->setEnabled(enabled);
}

Qt::CursorShape cursorFor(PointerShape shape)
{
    switch (shape) {
    case PointerShape::SizeAll:
        return Qt::SizeAllCursor;
    case PointerShape::SizeWestEast:
        return Qt::SizeHorCursor;
    case PointerShape::SizeNorthSouth:
        return Qt::SizeVerCursor;
    case PointerShape::Arrow:
        break;
    }
    return Qt::ArrowCursor;
}

} // namespace

PicturePanel::PicturePanel(QWidget *window, QWidget *editor, QWidget *controlsHost, AppState &state,
                           Dialogs &dialogs)
    : QObject(window)
    , m_window(window)
    , m_editor(editor)
    , m_state(state)
    , m_dialogs(dialogs)
{
    F_etiquet = new QFrame(window);
    F_etiquet->setObjectName(QStringLiteral("F_etiquet"));
    F_etiquet->setFrameShape(QFrame::NoFrame);
    L_etiquet = new PictureView(F_etiquet);
    L_etiquet->setObjectName(QStringLiteral("L_etiquet"));
    L_etiquet->setMouseTracking(true);   // the pointer shows which edge it would drag
    auto *fill = new QVBoxLayout(F_etiquet);
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(L_etiquet);
    F_etiquet->hide();

    buildControls(controlsHost);

    F_ouvrir = new PictureBrowser(window, dialogs);
    F_ouvrir->move(0, 0);

    connect(A_format, &QScrollBar::valueChanged, this, &PicturePanel::changeformat);
    connect(A_left, &QScrollBar::valueChanged, this, &PicturePanel::changeleft);
    connect(A_top, &QScrollBar::valueChanged, this, &PicturePanel::changetop);
    connect(C_image, &QCheckBox::toggled, this, &PicturePanel::C_image_Click);
    connect(B_ouvimag, &QPushButton::clicked, this, &PicturePanel::B_ouvimag_Click);
    connect(B_supimag, &QPushButton::clicked, this, &PicturePanel::supimage);
    connect(F_ouvrir, &PictureBrowser::chosen, this, &PicturePanel::pictureChosen);
    connect(L_etiquet, &PictureView::pressed, this, &PicturePanel::L_etiquet_MouseDown);
    connect(L_etiquet, &PictureView::moved, this, &PicturePanel::L_etiquet_MouseMove);
    connect(L_etiquet, &PictureView::released, this, &PicturePanel::L_etiquet_MouseUp);

    m_picture.setEditor(editorTwips());
    visuimage(false);
    showModel();
}

void PicturePanel::buildControls(QWidget *host)
{
    C_image = named(new QCheckBox(QStringLiteral("Image"), host), "C_image");
    B_ouvimag = named(new QPushButton(QStringLiteral("AJOUT"), host), "B_ouvimag");
    B_supimag = named(new QPushButton(QStringLiteral("SUPP"), host), "B_supimag");
    A_format = bar(host, "A_format");
    A_left = bar(host, "A_left");
    A_top = bar(host, "A_top");
    E_format = caption(host, "E_format");
    E_left = caption(host, "E_left");
    E_top = caption(host, "E_top");
    E_pixel = caption(host, "E_pixel");
    E_qualite = caption(host, "E_qualite");
    E_qualite->setAutoFillBackground(true);

    auto *grid = new QGridLayout(host);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);
    grid->addWidget(C_image, 0, 0);
    grid->addWidget(B_ouvimag, 1, 0);
    grid->addWidget(B_supimag, 2, 0);
    grid->addWidget(E_format, 0, 1);
    grid->addWidget(E_left, 1, 1);
    grid->addWidget(E_top, 2, 1);
    grid->addWidget(A_format, 0, 2);
    grid->addWidget(A_left, 1, 2);
    grid->addWidget(A_top, 2, 2);
    grid->addWidget(E_pixel, 0, 3);
    grid->addWidget(E_qualite, 1, 3);
    grid->setColumnMinimumWidth(1, 150);
    grid->setColumnMinimumWidth(3, 170);
    grid->setColumnStretch(2, 1);
}

void PicturePanel::editorPlaced()
{
    m_picture.setEditor(editorTwips());
    showModel();
    F_etiquet->raise();
}

void PicturePanel::clearPicture()
{
    F_etiquet->hide();
    setImageTicked(false);
    m_picture.supimage();
    m_picture.clearCaptions();
    showModel();
}

void PicturePanel::restorePicture(const Picture &stored, const PicturePlacement &placement)
{
    m_picture.restore(stored, placement);
    if (!m_picture.hasPicture()) {
        clearPicture();
        return;
    }
    showModel();
    setImageTicked(true);
}

bool PicturePanel::openPicture(const QString &path)
{
    const Picture read = readPicture(path);
    return !read.isNull() && ouvimage(read);
}

Picture PicturePanel::readPicture(const QString &path)
{
    const PictureLoad load = Picture::load(path);
    if (!load.ok)
        m_dialogs.inform(QString::fromLatin1(unreadablePictureTitle), unreadablePictureMessage(path, load.reason),
                         Dialogs::Icon::Exclamation);
    return load.ok ? load.picture : Picture();
}

bool PicturePanel::ouvimage(const Picture &picture)
{
    if (!m_picture.ouvimage(picture))
        return false;   // nothing changes
    F_ouvrir->hide();
    showModel();
    {
        const QSignalBlocker block(C_image);   // the picture is shown: so is its box
        C_image->setChecked(true);
    }
    visuimage(true);
    F_etiquet->show();
    F_etiquet->raise();
    return true;
}

void PicturePanel::redimimage()
{
    m_picture.redimimage();
    showModel();
}

void PicturePanel::changeformat()
{
    m_picture.changeformat(A_format->value());
    showModel();
}

void PicturePanel::changeleft()
{
    m_picture.changeleft(A_left->value());
    showModel();
}

void PicturePanel::changetop()
{
    m_picture.changetop(A_top->value());
    showModel();
}

void PicturePanel::visuimage(bool aut)
{
    const std::initializer_list<QWidget *> controls{B_supimag, A_top,    E_top,    A_left,    E_left,
                                                    A_format,  E_format, E_pixel,  E_qualite, B_ouvimag};
    for (QWidget *control : controls)
        control->setVisible(aut);
}

void PicturePanel::supimage()
{
    m_picture.supimage();
    F_etiquet->hide();
    showModel();
    setImageTicked(false);
}

bool PicturePanel::sauvimage(const QString &path)
{
    return m_picture.sauvimage(path);
}

void PicturePanel::C_image_Click()
{
    F_ouvrir->move(0, 0);
    if (C_image->isChecked()) {
        if (m_picture.hasPicture()) {
            F_etiquet->show();
            F_etiquet->raise();
        }
        visuimage(true);
    } else {
        F_etiquet->hide();
        visuimage(false);
    }
}

void PicturePanel::B_ouvimag_Click()
{
    F_ouvrir->ouvrirphoto();
}

// Ticking or clearing the box from the program acts as the user's click.
void PicturePanel::setImageTicked(bool ticked)
{
    {
        const QSignalBlocker block(C_image);
        C_image->setChecked(ticked);
    }
    C_image_Click();
}

void PicturePanel::pictureChosen(const QString &path)
{
    // The preview holds the picture already; read the file only if it failed.
    Picture chosen = F_ouvrir->hoveredPath() == path ? F_ouvrir->preview() : Picture();
    if (chosen.isNull())
        chosen = readPicture(path);
    if (chosen.isNull())
        return;   // the browser stays open for another choice
    F_ouvrir->closeBrowser();
    ouvimage(chosen);
    emit textFocusWanted();
}

void PicturePanel::showModel()
{
    const bool present = m_picture.hasPicture();
    const PictureGeometry &geometry = m_picture.geometry();
    show(A_format, geometry.A_format(), present);
    show(A_left, geometry.A_left(), present);
    show(A_top, geometry.A_top(), present);
    if (present)
        F_etiquet->setGeometry(units::twipsToPixels(geometry.frame()));
    L_etiquet->setPicture(m_picture.picture());

    const PictureCaptions &captions = m_picture.captions();
    E_format->setText(captions.format);
    E_left->setText(captions.left);
    E_top->setText(captions.top);
    E_pixel->setText(captions.pixel);
    E_qualite->setText(captions.quality);
    QPalette palette = E_qualite->parentWidget()->palette();
    if (!captions.quality.isEmpty()) {
        const resampling::QualityColours colours = m_picture.qualityColours();
        palette.setColor(QPalette::Window, colours.background);
        palette.setColor(QPalette::WindowText, colours.text);
    }
    E_qualite->setPalette(palette);
}

void PicturePanel::L_etiquet_MouseDown(QPoint twips, Qt::MouseButton button)
{
    if (button != Qt::LeftButton)
        return;
    const PointerShape shape = m_drag.press(twips);
    showPointer(shape);
    if (m_drag.isMoving())
        m_window->setCursor(cursorFor(shape));
}

void PicturePanel::L_etiquet_MouseMove(QPoint twips)
{
    const bool dragging = m_drag.isMoving() || m_drag.edge() != PictureDrag::Edge::None;
    showPointer(m_drag.move(twips));
    if (dragging)
        showModel();
}

void PicturePanel::L_etiquet_MouseUp()
{
    showPointer(m_drag.release());
    m_window->unsetCursor();
}

void PicturePanel::showPointer(PointerShape shape)
{
    L_etiquet->setCursor(cursorFor(shape));
}

QRect PicturePanel::editorTwips() const
{
    const QPoint origin = m_window->isAncestorOf(m_editor) ? m_editor->mapTo(m_window, QPoint())
                                                           : m_window->mapFromGlobal(m_editor->mapToGlobal(QPoint()));
    return QRect(units::pixelsToTwips(origin.x()), units::pixelsToTwips(origin.y()),
                 units::pixelsToTwips(m_editor->width()), units::pixelsToTwips(m_editor->height()));
}
