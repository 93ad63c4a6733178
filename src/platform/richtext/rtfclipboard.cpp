#include "rtfclipboard.h"

#include "rtfreader.h"
#include "rtfwriter.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTextDocument>

namespace richtext {
namespace {

constexpr const char *kRtfTypes[] = {"text/rtf", "text/richtext", "application/rtf"};

} // namespace

QMimeData *mimeDataFor(const QTextDocumentFragment &fragment, const QFont &baseFont)
{
    auto *data = new QMimeData;
    const QByteArray rtf = writeRtf(fragment, baseFont);
    data->setData(QString::fromLatin1(kRtfTypes[0]), rtf);
    data->setData(QString::fromLatin1(kRtfTypes[1]), rtf);
    data->setHtml(fragment.toHtml());
    data->setText(fragment.toPlainText());
    return data;
}

QTextDocumentFragment fragmentFromMimeData(const QMimeData *data)
{
    if (!data)
        return {};
    for (const char *type : kRtfTypes) {
        const QString mimeType = QString::fromLatin1(type);
        if (!data->hasFormat(mimeType))
            continue;
        QTextDocument document;
        const RtfReadResult result = readRtf(data->data(mimeType), &document);
        if (result.ok || !document.isEmpty())
            return QTextDocumentFragment(&document);
    }
    if (data->hasHtml())
        return QTextDocumentFragment::fromHtml(data->html());
    if (data->hasText()) {
        // Other programs end lines with CR LF or CR; each must make one
        // paragraph break, not two.
        QString text = data->text();
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        text.replace(u'\r', u'\n');
        return QTextDocumentFragment::fromPlainText(text);
    }
    return {};
}

bool mimeDataHasText(const QMimeData *data)
{
    if (!data)
        return false;
    for (const char *type : kRtfTypes) {
        if (data->hasFormat(QString::fromLatin1(type)))
            return true;
    }
    return data->hasHtml() || (data->hasText() && !data->text().isEmpty());
}

void copyToClipboard(const QTextDocumentFragment &fragment, const QFont &baseFont)
{
    QGuiApplication::clipboard()->setMimeData(mimeDataFor(fragment, baseFont));
}

QTextDocumentFragment fragmentFromClipboard()
{
    return fragmentFromMimeData(QGuiApplication::clipboard()->mimeData());
}

bool clipboardHasText()
{
    return mimeDataHasText(QGuiApplication::clipboard()->mimeData());
}

} // namespace richtext
