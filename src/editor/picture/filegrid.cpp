#include "filegrid.h"

#include <algorithm>

void FileGrid::setFiles(const QStringList &fileNames)
{
    m_files = fileNames;
    setFirstColumn(m_firstColumn);
}

int FileGrid::scrollMaximum() const
{
    if (!scrollEnabled())
        return 0;
    const int n = count();
    return n % rows != 0 ? n / rows - 2 : n / rows - 3;
}

void FileGrid::setFirstColumn(int column)
{
    m_firstColumn = std::clamp(column, 0, scrollMaximum());
}

int FileGrid::visibleCount() const
{
    return std::clamp(count() - m_firstColumn * rows, 0, pageSize);
}

QString FileGrid::fileName(int visibleIndex) const
{
    if (visibleIndex < 0 || visibleIndex >= visibleCount())
        return {};
    return m_files.at(m_firstColumn * rows + visibleIndex);
}

QString FileGrid::shownName(int visibleIndex) const
{
    return cutName(fileName(visibleIndex));
}

QStringList FileGrid::shownNames() const
{
    QStringList names;
    for (int i = 0; i < visibleCount(); ++i)
        names.append(shownName(i));
    return names;
}

int FileGrid::indexAt(QPoint twips) const
{
    if (twips.x() < 0 || twips.y() < 0)
        return -1;
    const int row = twips.y() / rowHeight;
    const int column = twips.x() / columnWidth;
    if (row >= rows || column >= columns)
        return -1;
    const int index = column * rows + row;
    return index < visibleCount() ? index : -1;
}

QString FileGrid::cutName(const QString &fileName)
{
    return fileName.section(QLatin1Char('.'), 0, 0).toLower();
}
