#include "commandline.h"

#include "importcommand.h"
#include "printcommand.h"

#include "print/pixelpage.h"

#include "library/pagestore.h"
#include "storage/personalstore.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

namespace commandline {

bool wanted(const QStringList &arguments)
{
    return !arguments.isEmpty();
}

int run(const QStringList &arguments, const QString &programDir, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Planches d'étiquettes A4 : sans option, ouvre la fenêtre."));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Affiche cette aide."));
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Affiche la version."));
    const QCommandLineOption printPdf(QStringLiteral("print-pdf"),
                                      QStringLiteral("Imprime la page enregistrée PAGE (son nom, ou le chemin de son "
                                                     "dossier) dans le fichier PDF <fichier>."),
                                      QStringLiteral("fichier"));
    const QCommandLineOption printPng(QStringLiteral("print-png"),
                                      QStringLiteral("Écrit l'image de la page PAGE que le mode Pixels imprime dans le "
                                                     "fichier PNG <fichier>."),
                                      QStringLiteral("fichier"));
    const QCommandLineOption dpi(QStringLiteral("dpi"),
                                 QStringLiteral("Résolution de l'image PNG, en points par pouce (300 par défaut)."),
                                 QStringLiteral("N"), QStringLiteral("300"));
    const QCommandLineOption corrections(QStringLiteral("corrections"),
                                         QStringLiteral("Applique les corrections de marges de etiq.ini."));
    const QCommandLineOption frame(QStringLiteral("frame"), QStringLiteral("Imprime le cadre de découpage."));
    const QCommandLineOption listPages(QStringLiteral("list-pages"),
                                       QStringLiteral("Affiche les noms des pages enregistrées, un par ligne."));
    const QCommandLineOption importOption(QStringLiteral("import-sheets"),
                                          QStringLiteral("Ajoute au catalogue personnel les planches des fichiers XML "
                                                         "de fabricants donnés ensuite."));
    parser.addOptions({help, version, printPdf, printPng, dpi, corrections, frame, listPages, importOption});
    parser.addPositionalArgument(QStringLiteral("PAGE"), QStringLiteral("La page à imprimer."));

    if (!parser.parse(QStringList{QStringLiteral("kalvenor")} + arguments)) {
        err << parser.errorText() << Qt::endl;
        return 2;
    }
    if (parser.isSet(help)) {
        out << parser.helpText();
        return 0;
    }
    if (parser.isSet(version)) {
        out << "KALVENOR " << PROJECT_VERSION << Qt::endl;
        return 0;
    }
    if (parser.isSet(importOption)) {
        if (parser.isSet(printPdf) || parser.isSet(printPng) || parser.isSet(listPages)
            || parser.positionalArguments().isEmpty()) {
            err << "--import-sheets attend un ou plusieurs fichiers XML, et rien d'autre." << Qt::endl;
            return 2;
        }
        return importSheets(parser.positionalArguments(), programDir, out, err);
    }
    if (parser.isSet(listPages)) {
        if (parser.isSet(printPdf) || parser.isSet(printPng) || !parser.positionalArguments().isEmpty()) {
            err << "--list-pages ne prend pas d'autre argument." << Qt::endl;
            return 2;
        }
        for (const QString &name : pagestore::names(PersonalStore(programDir).pageDir()))
            out << name << Qt::endl;
        return 0;
    }
    if (parser.isSet(printPdf) == parser.isSet(printPng)) {
        err << (parser.isSet(printPdf) ? "--print-pdf et --print-png ne vont pas ensemble."
                                       : "Aucune action demandée (--help pour la liste des options).")
            << Qt::endl;
        return 2;
    }
    const bool png = parser.isSet(printPng);
    const QStringList pages = parser.positionalArguments();
    if (pages.size() != 1) {
        err << (png ? "--print-png" : "--print-pdf") << " attend une page, et une seule." << Qt::endl;
        return 2;
    }
    PrintRequest request;
    request.format = png ? PrintRequest::Format::Png : PrintRequest::Format::Pdf;
    request.output = parser.value(png ? printPng : printPdf);
    request.page = pages.first();
    request.programDir = programDir;
    request.corrections = parser.isSet(corrections);
    request.cutFrame = parser.isSet(frame);
    if (parser.isSet(dpi)) {
        bool number = false;
        request.dpi = parser.value(dpi).toInt(&number);
        if (!png || !number || request.dpi < pixelpage::minimumDpi || request.dpi > pixelpage::maximumDpi) {
            err << "--dpi va avec --print-png et attend un nombre de " << pixelpage::minimumDpi << " à "
                << pixelpage::maximumDpi << "." << Qt::endl;
            return 2;
        }
    }
    const QString failure = printPageToFile(request);
    if (!failure.isEmpty()) {
        err << failure << Qt::endl;
        return 1;
    }
    return 0;
}

} // namespace commandline
