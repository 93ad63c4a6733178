#pragma once

#include "textfitter.h"
#include "textmeasure.h"
#include "workingsheet.h"

#include <QObject>

struct AppState;
class Dialogs;
class EditorPanel;
class PicturePanel;
class QLineEdit;
class SheetView;

// Writing, erasing and recalling labels with the mouse: binds the working
// sheet to its cells on screen and to the label editor.
class SheetPanel : public QObject {
    Q_OBJECT
public:
    SheetPanel(AppState &state, Dialogs &dialogs, WorkingSheet &sheet, SheetView *cells, EditorPanel *editor,
               PicturePanel *picture, QLineEdit *T_nombre, QObject *parent = nullptr);

    // The count of labels one click writes, as the user typed it.
    double count() const;
    // Whether the last fitted text mixed fonts (`textMixedFormat`).
    bool textMixedFormat() const { return m_textMixedFormat; }

public slots:
    void I_etiq_MouseUp(int index, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void ecritetiq();
    void effacetiq();
    void rappeletiq();
    void effacpage();
    // One label per click again.
    void resetCount();
    // The "Pixels" print mode: labels from `usable` on are erased and
    // greyed, and cannot be written until releaseLimit().
    void limitTo(int usable);
    void releaseLimit();
    void T_nombre_Change();

private:
    void writeClicked();
    int lastLabel() const;
    void emptyLabel();
    void showCell(int index);

    AppState &m_state;
    Dialogs &m_dialogs;
    WorkingSheet &m_sheet;
    SheetView *m_cells;
    EditorPanel *m_editor;
    PicturePanel *m_picture;
    QLineEdit *m_count;
    TextMeasure m_measure;
    TextFitter m_fitter{m_measure};
    bool m_textMixedFormat = false;
};
