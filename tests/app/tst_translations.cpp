#include "app/translations.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLibraryInfo>
#include <QTest>

class TestTranslations : public QObject {
    Q_OBJECT
private slots:
    void colourDialogSpeaksFrench();
};

// Where Qt's French translations are installed, its colour dialog shows
// none of its English captions.
void TestTranslations::colourDialogSpeaksFrench()
{
    const QString installed = QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_fr.qm");
    if (!QFileInfo::exists(installed))
        QSKIP("Qt's French translations are not installed (qt6-translations-l10n)");
    QVERIFY(loadTranslations(*qApp));

    QColorDialog dialog;
    QStringList captions;
    for (const QLabel *label : dialog.findChildren<QLabel *>())
        captions << label->text().remove(u'&');
    for (const QAbstractButton *button : dialog.findChildren<QAbstractButton *>())
        captions << button->text().remove(u'&');
    for (const char *english : {"Basic colors", "Pick Screen Color", "Custom colors", "Add to Custom Colors", "Cancel"})
        QVERIFY2(!captions.contains(QLatin1String(english)), english);
    QVERIFY(captions.contains(QStringLiteral("Couleurs de base")));
}

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
