#pragma once

#include <QPoint>
#include <QStringList>

// The browser's name grid `L_fichouvrir`: the picture files of one folder
// shown as bare names, three columns of nine, scrolled by whole columns
// with `A_fichouvrir`. A name is shown cut at its first "." in lower case;
// the full file name is kept for loading.
class FileGrid {
public:
    static constexpr int rows = 9;
    static constexpr int columns = 3;
    static constexpr int pageSize = rows * columns;
    static constexpr int rowHeight = 195;     // twips
    static constexpr int columnWidth = 810;   // twips

    void setFiles(const QStringList &fileNames);
    int count() const { return int(m_files.size()); }

    // The column scroll bar: enabled from 28 names on; its maximum is the
    // number of columns beyond the first three.
    bool scrollEnabled() const { return count() > pageSize; }
    int scrollMaximum() const;
    // The first visible column, kept within 0 .. scrollMaximum().
    void setFirstColumn(int column);
    int firstColumn() const { return m_firstColumn; }

    int visibleCount() const;
    QString shownName(int visibleIndex) const;
    QString fileName(int visibleIndex) const;
    QStringList shownNames() const;

    // The visible index under a point of the grid (twips), or -1 past the
    // last visible name or outside the grid.
    int indexAt(QPoint twips) const;

    static QString cutName(const QString &fileName);

private:
    QStringList m_files;
    int m_firstColumn = 0;
};
