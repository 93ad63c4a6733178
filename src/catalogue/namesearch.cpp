#include "namesearch.h"

namespace namesearch {

QString fold(const QString &text)
{
    const QString decomposed = text.normalized(QString::NormalizationForm_KD);
    QString folded;
    folded.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.category() != QChar::Mark_NonSpacing)
            folded.append(c);
    }
    return folded.toCaseFolded().simplified();
}

bool matches(const QString &name, const QString &typed)
{
    return fold(name).contains(fold(typed));
}

} // namespace namesearch
