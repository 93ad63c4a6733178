#pragma once

#include "editor/picture/picturegeometry.h"
#include "editor/storedlabel.h"
#include "platform/imaging/picture.h"
#include "storage/pagetable.h"

#include <QColor>
#include <QObject>
#include <QTextDocument>

#include <memory>
#include <optional>
#include <vector>

class Database;

// What one click writes into each label: the fitted text, the background and
// the picture with its place in the label (twips, relative to the label).
struct LabelContent {
    struct PlacedPicture {
        Picture picture;      // already resampled
        PicturePlacement placement;
    };

    const QTextDocument *text = nullptr;
    QColor background = Qt::white;
    bool mixedFormat = false;
    std::optional<PlacedPicture> picture;
};

// The labels of the page being edited, kept in three places that always
// agree: the PAGE rows of the working database, the label texts (`T_page`)
// and the label pictures (`L_et`). A row and a text exist exactly for each
// written label; a picture exactly for each written label below 120 whose row
// says it has one. Each cell also has a state, shown by its colour.
class WorkingSheet : public QObject {
    Q_OBJECT
public:
    enum class State { Empty, Written, Marked, Unusable };

    explicit WorkingSheet(Database &db, QObject *parent = nullptr);
    ~WorkingSheet() override;

    // A new layout of `cols` columns: every label empty. The page must have
    // been cleared first.
    void reset(int labelCount, int cols);

    int labelCount() const { return static_cast<int>(m_states.size()); }
    State state(int index) const;
    bool isWritten(int index) const;   // written, or written and marked
    bool mixedFormat(int index) const;
    int mixedFormatCount() const { return m_mixedCount; }
    const QTextDocument *text(int index) const;
    const Picture *picture(int index) const;
    std::optional<PageRow> row(int index);
    // The PAGE rows in table order, as the printer and the preview walk them.
    [[nodiscard]] std::optional<QList<PageRow>> rows();   // nullopt: PAGE unreadable

    // Writes `content` into labels first..last in one transaction, replacing
    // the labels already written there. On failure nothing changes.
    bool write(int first, int last, const LabelContent &content);
    // Marks the written labels of first..last for replacement; true when any.
    bool mark(int first, int last);
    void unmark(int first, int last);
    bool erase(int index);    // effacetiq
    bool clear();             // effacpage
    // Puts a saved page on the empty sheet in one transaction: every label,
    // or none when a row is out of the sheet, repeated or lacks its text.
    // The labels are moved from `labels` only on success.
    bool load(std::vector<StoredLabel> &labels);

    // Labels from `count` on cannot be written (the screen print mode).
    void limitTo(int count);
    void releaseUnusable();

    // The three places agree (checked by the tests after every operation).
    bool consistent();

    static constexpr int pictureLimit = 120;

signals:
    void cellChanged(int index);
    // The last mixed-font label is gone: the labels greyed beyond the usable
    // count are free again.
    void unusableReleased();

private:
    bool valid(int index) const { return index >= 0 && index < labelCount(); }
    void setState(int index, State state);
    void forget(int index);
    PageRow rowFor(int index, const LabelContent &content) const;

    Database &m_db;
    int m_cols = 1;
    std::vector<State> m_states;
    std::vector<bool> m_mixed;
    std::vector<std::unique_ptr<QTextDocument>> m_texts;
    std::vector<std::optional<Picture>> m_pictures;
    int m_mixedCount = 0;
};
