#include "calibration.h"

#include "platform/numbertext.h"

#include <QPainter>

#include <cmath>

namespace calibration {

bool validMeasure(const QString &text)
{
    return text.size() == 4 && text.indexOf(QLatin1Char('.')) == 2 && numbertext::leadingNumber(text) != 0
        && text.back().isDigit() && text.back().unicode() < 128;
}

bool canCorrect(const QString &left, const QString &top)
{
    return numbertext::leadingNumber(left) != 0 && numbertext::leadingNumber(top) != 0;
}

int correctionFor(double measuredMm)
{
    // In tenths of a millimetre and hundredths of a twip, so the floor is
    // taken on an exact value: 20.5 gives floor(-28.35) = -29.
    const long long tenths = 200 - std::llround(measuredMm * 10);
    const long long hundredths = tenths * 567;
    long long twips = hundredths / 100;
    if (hundredths % 100 != 0 && hundredths < 0)
        --twips;
    return static_cast<int>(twips);
}

std::optional<Corrected> correct(const QString &left, const QString &top, double deltaH, double deltaV,
                                 QString *message)
{
    if (!validMeasure(left)) {
        *message = QStringLiteral("Format marge gauche incorrect");
        return std::nullopt;
    }
    if (!validMeasure(top)) {
        *message = QStringLiteral("Format marge haute incorrect");
        return std::nullopt;
    }
    // The square was printed with the corrections in force: what it measures
    // is what they still miss.
    return Corrected{deltaH + correctionFor(numbertext::leadingNumber(left)),
                     deltaV + correctionFor(numbertext::leadingNumber(top))};
}

PageDrawing testSquare(double deltaH, double deltaV)
{
    return [deltaH, deltaV](QPainter &painter) {
        // A fine black outline whose outer edge is the square's edge.
        constexpr double pen = 15;
        painter.save();
        painter.setPen(QPen(Qt::black, pen, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.setBrush(Qt::NoBrush);
        const QRectF square(squareTwips + deltaH, squareTwips + deltaV, squareTwips, squareTwips);
        painter.drawRect(square.adjusted(pen / 2, pen / 2, -pen / 2, -pen / 2));
        painter.restore();
    };
}

} // namespace calibration
