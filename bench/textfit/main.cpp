// Times calculetiq's fitting on a small mixed-font label and on a large
// label full of words. Prints the median time per fit and the peak memory.

#include "editor/textfitter.h"
#include "editor/textmeasure.h"
#include "platform/units.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTextCursor>
#include <QTextDocument>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int runs = 2000;

QTextCharFormat format(const QString &family, double points, bool bold = false,
                       bool italic = false)
{
    QTextCharFormat f;
    f.setFontFamilies({family});
    f.setFontPointSize(points);
    f.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(italic);
    return f;
}

// Twelve short lines, several fonts on most of them.
void mixedLabel(QTextDocument &document)
{
    const QString sans = QStringLiteral("Liberation Sans");
    const QString serif = QStringLiteral("Liberation Serif");
    QTextCursor cursor(&document);
    for (int line = 1; line <= 12; ++line) {
        if (line > 1)
            cursor.insertBlock();
        cursor.insertText(QStringLiteral("Ligne %1 : ").arg(line), format(sans, 8));
        cursor.insertText(QStringLiteral("Dupont-Martin "), format(serif, 9, true));
        cursor.insertText(QStringLiteral("(rue des Lilas)"), format(sans, 8, false, true));
    }
}

// Two hundred words in one paragraph, a bold word now and then.
void wordyLabel(QTextDocument &document)
{
    const QStringList words = QStringLiteral(
        "le petit chat gris dort sur la chaise près de la fenêtre ouverte pendant que "
        "la pluie tombe doucement").split(u' ');
    QTextCursor cursor(&document);
    const QTextCharFormat plain = format(QStringLiteral("Liberation Sans"), 11);
    const QTextCharFormat bold = format(QStringLiteral("Liberation Sans"), 11, true);
    for (int i = 0; i < 200; ++i)
        cursor.insertText(words.at(i % words.size()) + u' ', i % 17 == 0 ? bold : plain);
}

struct Case {
    const char *name;
    void (*fill)(QTextDocument &);
    double widthMm;
    double heightMm;
};

double medianMicroseconds(std::vector<qint64> &nanoseconds)
{
    std::sort(nanoseconds.begin(), nanoseconds.end());
    return nanoseconds[nanoseconds.size() / 2] / 1000.0;
}

void run(const Case &c)
{
    QTextDocument source, fitted;
    c.fill(source);
    const int width = units::floorToPixel(units::mmToTwips(c.widthMm));
    const int height = units::floorToPixel(units::mmToTwips(c.heightMm));

    TextMeasure shared;
    FitResult result;
    std::vector<qint64> warm, cold;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        result = TextFitter(shared).fit(source, width, height, fitted);
        warm.push_back(timer.nsecsElapsed());

        TextMeasure fresh;
        timer.restart();
        TextFitter(fresh).fit(source, width, height, fitted);
        cold.push_back(timer.nsecsElapsed());
    }
    std::printf("%-28s %4.0f x %3.0f mm  %3d lines kept%s%s\n", c.name, c.widthMm, c.heightMm,
                result.lineCount, result.tooHigh ? ", cut" : "",
                result.mixedFormat ? ", mixed" : "");
    std::printf("  median %8.1f us (measures cached)  %8.1f us (fresh measures)  over %d runs\n",
                medianMicroseconds(warm), medianMicroseconds(cold), runs);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    run({"12 mixed-font lines", mixedLabel, 70, 37});
    run({"200 words", wordyLabel, 210, 148});

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak memory %.1f MB\n", usage.ru_maxrss / 1024.0);
    return 0;
}
