#include "sheetpanel.h"

#include "cellcolors.h"
#include "editorpanel.h"
#include "sheetview.h"

#include "editor/picture/picturepanel.h"
#include "platform/dialogs.h"
#include "platform/numbertext.h"
#include "storage/appstate.h"
#include "storage/colorvalue.h"

#include <QLineEdit>

#include <algorithm>
#include <cmath>

SheetPanel::SheetPanel(AppState &state, Dialogs &dialogs, WorkingSheet &sheet, SheetView *cells,
                       EditorPanel *editor, PicturePanel *picture, QLineEdit *T_nombre, QObject *parent)
    : QObject(parent)
    , m_state(state)
    , m_dialogs(dialogs)
    , m_sheet(sheet)
    , m_cells(cells)
    , m_editor(editor)
    , m_picture(picture)
    , m_count(T_nombre)
{
    connect(&m_sheet, &WorkingSheet::cellChanged, this, &SheetPanel::showCell);
    connect(m_cells, &SheetView::cellReleased, this, &SheetPanel::I_etiq_MouseUp);
    connect(m_count, &QLineEdit::textChanged, this, &SheetPanel::T_nombre_Change);
}

double SheetPanel::count() const
{
    return numbertext::leadingNumber(m_count->text());
}

int SheetPanel::lastLabel() const
{
    // A fractional count rounds the last label, halves to even (2,5 from
    // label 10 writes 10 to 12).
    const double last = std::nearbyint(m_state.currentLabel + count() - 1);
    return static_cast<int>(std::clamp(last, -1.0, static_cast<double>(m_sheet.labelCount())));
}

void SheetPanel::T_nombre_Change()
{
    // The count never exceeds the labels that may be written.
    if (count() > m_state.usableLabelCount)
        m_count->setText(QString::number(m_state.usableLabelCount));
}

void SheetPanel::showCell(int index)
{
    QColor color;
    switch (m_sheet.state(index)) {
    case WorkingSheet::State::Empty: color = cellcolors::empty(index); break;
    case WorkingSheet::State::Written: color = cellcolors::written(index); break;
    case WorkingSheet::State::Marked: color = cellcolors::marked(index); break;
    case WorkingSheet::State::Unusable: color = cellcolors::darkGrey; break;
    }
    m_cells->setCellColor(index, color);
    m_cells->setDiagonal(index, m_sheet.state(index) == WorkingSheet::State::Written && m_sheet.mixedFormat(index));
}

void SheetPanel::I_etiq_MouseUp(int index, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    m_state.currentLabel = index;
    if (index + count() - 1 > m_state.usableLabelCount - 1)
        m_count->setText(QString::number(m_state.usableLabelCount - index));

    const Qt::KeyboardModifiers held = modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (held == Qt::NoModifier) {
        if (button == Qt::LeftButton) {
            writeClicked();
            return;
        }
        if (button == Qt::RightButton) {
            if (m_sheet.isWritten(index))
                effacetiq();
            else
                emptyLabel();
        }
    } else if (held == Qt::ControlModifier) {
        const WorkingSheet::State state = m_sheet.state(index);
        if (state == WorkingSheet::State::Written)
            rappeletiq();
        else if (state == WorkingSheet::State::Empty)
            emptyLabel();
    }
    m_editor->focustexte();
}

void SheetPanel::emptyLabel()
{
    m_dialogs.inform(QStringLiteral("ETIQUETTE VIDE"), QStringLiteral("Etiquette vide"), Dialogs::Icon::Exclamation);
}

void SheetPanel::writeClicked()
{
    if (m_editor->isEmpty()) {
        m_dialogs.inform(QStringLiteral("MANQUE TEXTE"),
                         QStringLiteral("Une étiquette doit toujours comporter un texte\n"
                                        "Ce texte peut se limiter à un blanc(espace)"),
                         Dialogs::Icon::Exclamation);
        m_editor->focustexte();
        return;
    }
    const QRect label = m_editor->geometryTwips();
    const FitResult fitted =
        m_fitter.calculetiq(*m_editor->document(), label.width(), label.height(), m_editor->scratch(), m_dialogs);
    m_textMixedFormat = fitted.mixedFormat;

    const int first = m_state.currentLabel;
    const int last = lastLabel();
    if (m_sheet.mark(first, last)) {
        const Dialogs::Answer answer =
            m_dialogs.message(QStringLiteral("REMPLACEMENT ETIQUETTE"),
                              QStringLiteral("Les étiquettes utilisées(jaune)\nvont etre effacées et remplacées.\n"
                                             "Continuer?"),
                              Dialogs::Icon::Critical, Dialogs::Buttons::YesNo);
        if (answer != Dialogs::Answer::Yes) {
            m_sheet.unmark(first, last);
            return;
        }
    }
    ecritetiq();
    m_editor->focustexte();
}

void SheetPanel::ecritetiq()
{
    const int first = m_state.currentLabel;
    const int last = std::min(lastLabel(), m_sheet.labelCount() - 1);
    if (last < first)
        return;
    LabelContent content;
    content.text = &m_editor->scratch();
    content.background = m_editor->backgroundColor();
    content.mixedFormat = m_textMixedFormat;
    if (m_picture && m_picture->hasPicture())
        content.picture = LabelContent::PlacedPicture{m_picture->picture(), m_picture->placement()};
    if (!m_sheet.write(first, last, content)) {
        m_sheet.unmark(first, last);
        m_dialogs.inform(QStringLiteral("ECRITURE IMPOSSIBLE"),
                         QStringLiteral("Les étiquettes n'ont pas pu être enregistrées dans la base de données.\n"
                                        "La page est restée telle qu'elle était."),
                         Dialogs::Icon::Exclamation);
    }
}

void SheetPanel::effacetiq()
{
    m_sheet.erase(m_state.currentLabel);
}

void SheetPanel::rappeletiq()
{
    const int k = m_state.currentLabel;
    const QTextDocument *text = m_sheet.text(k);
    const std::optional<PageRow> row = m_sheet.row(k);
    if (!text || !row)
        return;
    m_editor->recall(*text, colorvalue::toColor(row->backcolor));
    if (m_picture) {
        m_picture->clearPicture();
        m_editor->focustexte();
        if (row->impage && m_sheet.picture(k))
            m_picture->restorePicture(*m_sheet.picture(k),
                                      PicturePlacement{row->impleft, row->imptop, row->impwidth, row->impheight});
    }
    m_editor->focustexte();
}

void SheetPanel::effacpage()
{
    m_sheet.clear();
    m_editor->clear();
    resetCount();
    m_textMixedFormat = false;
}

void SheetPanel::resetCount()
{
    m_count->setText(QStringLiteral("1"));
}

void SheetPanel::limitTo(int usable)
{
    m_state.usableLabelCount = std::clamp(usable, 0, m_sheet.labelCount());
    T_nombre_Change();
    for (int i = m_state.usableLabelCount; i < m_sheet.labelCount(); ++i) {
        if (m_sheet.isWritten(i))
            m_sheet.erase(i);
    }
    m_sheet.limitTo(m_state.usableLabelCount);
}

void SheetPanel::releaseLimit()
{
    m_sheet.releaseUnusable();
    m_state.usableLabelCount = m_sheet.labelCount();
}
