#include "settingsfile.h"

#include "appstate.h"

#include "platform/numbertext.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

#include <cmath>

namespace settingsfile {

namespace {

constexpr qint64 maxReadBytes = 64 * 1024; // the file is a few dozen bytes
const QByteArray crlf("\r\n");

QString decode(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) {
        // The decoder drops one byte-order mark; an editor may have added
        // more, and the type name must not start with one.
        while (text.startsWith(QChar(0xFEFF)))
            text.remove(0, 1);
        return text;
    }
    // An older file written in the Windows code page.
    QStringDecoder windows("windows-1252");
    if (windows.isValid())
        return windows.decode(bytes);
    return QString::fromLatin1(bytes);
}

double correction(const QString &line)
{
    const double value = numbertext::leadingNumber(line);
    return std::fabs(value) <= maxCorrection ? value : 0.0;
}

} // namespace

SettingsRead read(const QString &path)
{
    SettingsRead result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return result;
    result.found = true;
    const QString text = decode(file.read(maxReadBytes));
    // Lines end with CR LF; a lone CR or LF is taken as a line end too.
    QString normalised = text;
    normalised.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(u'\r', u'\n');
    QStringList lines = normalised.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // the terminator of the last line
    result.lineCount = static_cast<int>(lines.size());
    if (lines.size() > 0)
        result.settings.sheetTypeName = lines[0];
    if (lines.size() > 3)
        result.settings.deltaH = correction(lines[3]);
    if (lines.size() > 6)
        result.settings.deltaV = correction(lines[6]);
    return result;
}

QByteArray format(const Settings &settings)
{
    QByteArray out;
    out += settings.sheetTypeName.toUtf8() + crlf;
    out += crlf;
    out += "[DeltaH]" + crlf;
    out += numbertext::shortestDecimal(settings.deltaH).toLatin1() + crlf;
    out += crlf;
    out += "[DeltaV]" + crlf;
    out += numbertext::shortestDecimal(settings.deltaV).toLatin1() + crlf;
    return out;
}

bool write(const QString &path, const Settings &given, QString *error)
{
    // Without a current type (a store that held none), the type saved last
    // time is kept rather than lost.
    Settings settings = given;
    if (settings.sheetTypeName.isEmpty())
        settings.sheetTypeName = read(path).settings.sheetTypeName;
    QSaveFile file(path);
    bool ok = file.open(QIODevice::WriteOnly);
    if (ok)
        ok = file.write(format(settings)) >= 0;
    if (ok)
        ok = file.commit();
    else
        file.cancelWriting();
    if (!ok && error)
        *error = file.errorString();
    return ok;
}

bool save(const AppState &state, QString *error)
{
    Settings settings;
    settings.sheetTypeName = state.sheetTypeName();
    settings.deltaH = state.DeltaH;
    settings.deltaV = state.DeltaV;
    return write(state.programDir + QStringLiteral("/etiq.ini"), settings, error);
}

} // namespace settingsfile
