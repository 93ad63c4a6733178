#include "workingsheet.h"

#include "storage/colorvalue.h"
#include "storage/database.h"

WorkingSheet::WorkingSheet(Database &db, QObject *parent)
    : QObject(parent)
    , m_db(db)
{
}

WorkingSheet::~WorkingSheet() = default;

void WorkingSheet::reset(int labelCount, int cols)
{
    m_cols = cols > 0 ? cols : 1;
    const auto count = static_cast<std::size_t>(std::max(0, labelCount));
    m_states.assign(count, State::Empty);
    m_mixed.assign(count, false);
    m_texts.clear();
    m_texts.resize(count);
    m_pictures.assign(count, std::nullopt);
    m_mixedCount = 0;
}

WorkingSheet::State WorkingSheet::state(int index) const
{
    return valid(index) ? m_states[index] : State::Empty;
}

bool WorkingSheet::isWritten(int index) const
{
    return valid(index) && m_texts[index] != nullptr;
}

bool WorkingSheet::mixedFormat(int index) const
{
    return valid(index) && m_mixed[index];
}

const QTextDocument *WorkingSheet::text(int index) const
{
    return valid(index) ? m_texts[index].get() : nullptr;
}

const Picture *WorkingSheet::picture(int index) const
{
    return valid(index) && m_pictures[index] ? &*m_pictures[index] : nullptr;
}

std::optional<PageRow> WorkingSheet::row(int index)
{
    return pagetable::find(m_db, index);
}

void WorkingSheet::setState(int index, State state)
{
    m_states[index] = state;
    emit cellChanged(index);
}

PageRow WorkingSheet::rowFor(int index, const LabelContent &content) const
{
    PageRow row;
    row.numetiq = index;
    row.posx = index % m_cols;
    row.posy = index / m_cols;
    row.backcolor = colorvalue::fromColor(content.background);
    if (content.picture && index < pictureLimit) {
        row.impage = true;
        const PicturePlacement &place = content.picture->placement;
        row.impleft = place.impleft;
        row.imptop = place.imptop;
        row.impwidth = place.impwidth;
        row.impheight = place.impheight;
        row.xpixel = content.picture->picture.width();
        row.ypixel = content.picture->picture.height();
    }
    return row;
}

bool WorkingSheet::write(int first, int last, const LabelContent &content)
{
    if (!content.text || !valid(first) || !valid(last) || first > last)
        return false;
    // One transaction for the whole click: all the labels, or none.
    if (!m_db.transaction())
        return false;
    bool ok = true;
    for (int i = first; i <= last && ok; ++i) {
        if (isWritten(i))
            ok = pagetable::remove(m_db, i);
        ok = ok && pagetable::insert(m_db, rowFor(i, content));
    }
    if (!ok || !m_db.commit()) {
        m_db.rollback();
        return false;
    }
    // Replacing the last mixed-font labels frees the greyed labels, as
    // erasing them would.
    int mixedReplaced = 0;
    for (int i = first; i <= last; ++i)
        mixedReplaced += isWritten(i) && m_mixed[i] ? 1 : 0;
    const bool releases = mixedReplaced > 0 && mixedReplaced == m_mixedCount;
    for (int i = first; i <= last; ++i) {
        if (isWritten(i))
            forget(i);
        m_texts[i].reset(content.text->clone());
        if (content.picture && i < pictureLimit)
            m_pictures[i] = content.picture->picture;
        if (content.mixedFormat) {
            m_mixed[i] = true;
            ++m_mixedCount;
        }
        setState(i, State::Written);
    }
    if (releases)
        releaseUnusable();
    return true;
}

bool WorkingSheet::mark(int first, int last)
{
    bool any = false;
    for (int i = std::max(first, 0); i <= last && valid(i); ++i) {
        if (m_states[i] == State::Written) {
            setState(i, State::Marked);
            any = true;
        }
    }
    return any;
}

void WorkingSheet::unmark(int first, int last)
{
    for (int i = std::max(first, 0); i <= last && valid(i); ++i) {
        if (m_states[i] == State::Marked)
            setState(i, State::Written);
    }
}

void WorkingSheet::forget(int index)
{
    m_texts[index].reset();
    m_pictures[index].reset();
    if (m_mixed[index]) {
        m_mixed[index] = false;
        --m_mixedCount;
    }
}

bool WorkingSheet::erase(int index)
{
    if (!isWritten(index) || !pagetable::remove(m_db, index))
        return false;
    forget(index);
    if (m_mixedCount == 0)
        releaseUnusable();
    setState(index, State::Empty);
    return true;
}

void WorkingSheet::releaseUnusable()
{
    for (int i = 0; i < labelCount(); ++i) {
        if (m_states[i] == State::Unusable)
            setState(i, State::Empty);
    }
    emit unusableReleased();
}

bool WorkingSheet::clear()
{
    if (!pagetable::clear(m_db))
        return false;
    for (int i = 0; i < labelCount(); ++i) {
        if (isWritten(i)) {
            forget(i);
            setState(i, State::Empty);
        }
    }
    m_mixed.assign(m_mixed.size(), false);
    m_mixedCount = 0;
    return true;
}

bool WorkingSheet::load(std::vector<StoredLabel> &labels)
{
    std::vector<bool> seen(m_states.size(), false);
    for (const StoredLabel &label : labels) {
        const int n = label.row.numetiq;
        if (!valid(n) || seen[n] || isWritten(n) || !label.text)
            return false;
        seen[n] = true;
    }
    if (!m_db.transaction())
        return false;
    bool ok = true;
    for (const StoredLabel &label : labels) {
        PageRow row = label.row;
        // The place follows the number on this sheet, whatever the file said.
        row.posx = row.numetiq % m_cols;
        row.posy = row.numetiq / m_cols;
        row.impage = row.impage && label.picture && row.numetiq < pictureLimit;
        if (!(ok = pagetable::insert(m_db, row)))
            break;
    }
    if (!ok || !m_db.commit()) {
        m_db.rollback();
        return false;
    }
    for (StoredLabel &label : labels) {
        const int n = label.row.numetiq;
        m_texts[n] = std::move(label.text);
        if (label.row.impage && label.picture && n < pictureLimit)
            m_pictures[n] = std::move(label.picture);
        if (label.mixedFormat) {
            m_mixed[n] = true;
            ++m_mixedCount;
        }
        setState(n, State::Written);
    }
    return true;
}

void WorkingSheet::limitTo(int count)
{
    for (int i = std::max(count, 0); i < labelCount(); ++i) {
        if (m_states[i] == State::Empty)
            setState(i, State::Unusable);
    }
}

bool WorkingSheet::consistent()
{
    std::vector<std::optional<PageRow>> rows(m_states.size());
    const auto stored = pagetable::all(m_db);
    if (!stored)
        return false;
    for (const PageRow &row : *stored) {
        if (!valid(row.numetiq) || rows[row.numetiq])
            return false; // a row for no label, or two rows for one
        rows[row.numetiq] = row;
    }
    int mixed = 0;
    for (int i = 0; i < labelCount(); ++i) {
        const bool written = m_states[i] == State::Written || m_states[i] == State::Marked;
        if (written != rows[i].has_value() || written != (m_texts[i] != nullptr))
            return false;
        const bool pictured = written && i < pictureLimit && rows[i]->impage;
        if (pictured != m_pictures[i].has_value())
            return false;
        if (m_mixed[i] && !written)
            return false;
        mixed += m_mixed[i] ? 1 : 0;
    }
    return mixed == m_mixedCount;
}

std::optional<QList<PageRow>> WorkingSheet::rows()
{
    return pagetable::all(m_db);
}
