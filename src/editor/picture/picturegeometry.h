#pragma once

#include "scrollrange.h"

#include <QRect>
#include <QSize>

// Where a stored picture sits, relative to the label editor (twips): the
// `impleft`, `imptop`, `impwidth`, `impheight` of a label, template or page.
struct PicturePlacement {
    int impleft = 0;
    int imptop = 0;
    int impwidth = 0;
    int impheight = 0;

    bool operator==(const PicturePlacement &) const = default;
};

// The axis that `A_format` measures: the axis that limited the fit.
enum class FitMode { Width, Height };

// The picture frame `F_etiquet` over the label editor and its three scroll
// bars: `A_format` (size along the fit's axis), `A_left` and `A_top` (the
// frame's edges, in window twips). The picture keeps 15 twips inside the
// label on every side and keeps its proportions.
class PictureGeometry {
public:
    static constexpr int margin = 15;
    static constexpr int smallestSize = 15;   // `A_format` minimum

    // The label editor `T_etiquet`, in window twips. Without a picture this
    // is all there is; with one, see followEditor.
    void setEditor(const QRect &editorTwips) { m_editor = editorTwips; }
    const QRect &editor() const { return m_editor; }

    // ouvimage: a fresh picture of `pixels` as large as fits, in the label's
    // top-left corner. A picture relatively as wide as the usable area, or
    // wider, is fitted by its width.
    void fit(QSize pixels);

    // A stored placement back under the current editor. A picture that no
    // longer fits (after a change of label size) is scaled down, keeping its
    // proportions, to the usable area on the axis that overflows most; the
    // position is brought inside the label. A placement without a size is
    // fitted afresh from `pixels`.
    void restore(const PicturePlacement &stored, QSize pixels);

    // The editor was moved or resized: the picture keeps its place in the
    // label, shrinking if it no longer fits.
    void followEditor(const QRect &editorTwips);

    void changeformat(int value);   // resize; the position is clamped
    void changeleft(int value);
    void changetop(int value);

    void clear();
    bool isEmpty() const { return m_frame.isEmpty(); }

    FitMode mode() const { return m_mode; }
    double aspectRatio() const { return m_aspect; }   // width / height
    QRect frame() const { return m_frame; }           // F_etiquet, window twips
    PicturePlacement placement() const;

    const ScrollRange &A_format() const { return m_format; }
    const ScrollRange &A_left() const { return m_left; }
    const ScrollRange &A_top() const { return m_top; }

    // The frame's size for a value of `A_format`.
    QSize sizeFor(int formatValue) const;
    // The usable area: the label less the margin on each side.
    int usableWidth() const { return m_editor.width() - 2 * margin; }
    int usableHeight() const { return m_editor.height() - 2 * margin; }

private:
    void setMode(FitMode mode, int size);
    void setSteps();
    void updateRanges();

    QRect m_editor;
    QRect m_frame;
    FitMode m_mode = FitMode::Width;
    double m_aspect = 1.0;
    ScrollRange m_format;
    ScrollRange m_left;
    ScrollRange m_top;
};
