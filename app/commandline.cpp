#include "app/commandline.h"

#include "app/language.h"

#include "services/programname.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace numbolo {

namespace {

// The options Qt's application objects take themselves, with a value or without.
const char *const QtValueOptions[] = {"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
                                      "qwindowicon", "qwindowtitle", "session", "display", "style", "stylesheet",
                                      "geometry", "title", "name", "qmljsdebugger"};
const char *const QtFlagOptions[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

void addOptions(QCommandLineParser &parser)
{
    parser.setApplicationDescription(
        QCoreApplication::translate("CommandLine", "%1: παιχνίδι αριθμητικής για παιδιά.").arg(QString(ProgramName)));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption({{QStringLiteral("h"), QStringLiteral("help")}, QCoreApplication::translate("CommandLine", "Δείχνει αυτές τις επιλογές.")});
    parser.addOption({QStringLiteral("progress"),
                      QCoreApplication::translate("CommandLine", "Ανοίγει το παράθυρο «Πρόοδος» με το ιστορικό του παιχνιδιού, για γονείς και "
                                     "δασκάλους.")});
    parser.addOption({QStringLiteral("csv"),
                      QCoreApplication::translate("CommandLine", "Με --progress: γράφει όλο το ιστορικό ως CSV (UTF-8) στην τυπική έξοδο, μία "
                                     "γραμμή ανά άσκηση. Ως --csv=targets: μία γραμμή ανά στόχο κάθε άσκησης, με "
                                     "τα πλήκτρα της και έναν τρόπο να φτιαχτεί.")});
    parser.addOption({QStringLiteral("class"),
                      QCoreApplication::translate("CommandLine", "Με --csv: γράφει στην τυπική έξοδο το παιχνίδι των τάξεων "
                                                             "που διδάσκετε, από τη βάση του σχολείου ([School]), μία "
                                                             "γραμμή ανά άσκηση με τον μαθητή και την τάξη του.")});
    parser.addOption({QStringLiteral("pdf"),
                      QCoreApplication::translate("CommandLine", "Με --progress: γράφει την αναφορά προόδου, όπως την τυπώνει το παράθυρο "
                                     "«Πρόοδος», στο αρχείο PDF ΑΡΧΕΙΟ. Δεν χρειάζεται οθόνη."),
                      QCoreApplication::translate("CommandLine", "ΑΡΧΕΙΟ")});
    parser.addOption({QStringLiteral("profile"),
                      QCoreApplication::translate("CommandLine", "Παίζει το παιδί ΟΝΟΜΑ, χωρίς να ρωτήσει ποιος παίζει, όπου τα παιδιά έχουν το "
                                     "καθένα το δικό του προφίλ. Με --progress: η πρόοδος αυτού του παιδιού."),
                      QCoreApplication::translate("CommandLine", "ΟΝΟΜΑ")});
    parser.addOption({QStringLiteral("profiles"),
                      QCoreApplication::translate("CommandLine", "Γράφει στην τυπική έξοδο τα ονόματα των παιδιών που έχουν προφίλ, ένα σε κάθε "
                                     "γραμμή.")});
    for (const char *name : QtValueOptions) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char *name : QtFlagOptions) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

} // namespace

CommandLine readCommandLine(int argc, char *argv[])
{
    // "--csv=targets" is "--csv" with the targets' columns; any other value of --csv is the
    // parser's error.
    QStringList arguments;
    bool targets = false;
    for (int i = 0; i < argc; ++i) {
        QString argument = QString::fromLocal8Bit(argv[i]);
        if (i > 0 && (argument == QLatin1String("--csv=targets") || argument == QLatin1String("-csv=targets"))) {
            targets = true;
            argument = QStringLiteral("--csv");
        }
        arguments << argument;
    }
    QCommandLineParser parser;
    addOptions(parser);
    const bool parsed = parser.parse(arguments);
    const bool csv = parser.isSet(QStringLiteral("csv")), pdf = parser.isSet(QStringLiteral("pdf"));
    const bool progress = parser.isSet(QStringLiteral("progress"));
    const bool profileGiven = parser.isSet(QStringLiteral("profile")), list = parser.isSet(QStringLiteral("profiles"));
    const QString profile = parser.value(QStringLiteral("profile"));
    // The class's play is written as CSV only; targets are the progress window's.
    const bool classCsv = parser.isSet(QStringLiteral("class"));
    const bool classWrong = classCsv && (progress || !csv || pdf || targets);
    const bool wrong = !parsed || !parser.positionalArguments().isEmpty() || ((csv || pdf) && !progress && !classCsv)
        || (csv && pdf) || (pdf && parser.value(QStringLiteral("pdf")).isEmpty()) || classWrong
        || (profileGiven && profile.trimmed().isEmpty()) || (list && (progress || profileGiven || classCsv));
    if (!wrong && !parser.isSet(QStringLiteral("help"))) {
        const bool platformGiven = parser.isSet(QStringLiteral("platform"));
        if (list)
            return {Run::Profiles, 0, {}, platformGiven, {}};
        if (classCsv)
            return {Run::ClassCsv, 0, {}, platformGiven, {}};
        if (!progress)
            return {Run::Game, 0, {}, platformGiven, profile};
        if (pdf)
            return {Run::ProgressPdf, 0, parser.value(QStringLiteral("pdf")), platformGiven, profile};
        const Run run = !csv ? Run::ProgressWindow : targets ? Run::ProgressTargetsCsv : Run::ProgressCsv;
        return {run, 0, {}, platformGiven, profile};
    }

    // The help text names the program from the application object; no display is needed for it.
    // Its headings come through Qt's translators: in Greek from the game's own texts, in English
    // as Qt writes them. The options' descriptions are made again once the game's texts are in
    // the desktop's language; the first parser's were made before there was an application
    // object to hold them.
    QCoreApplication app(argc, argv);
    useLanguage(desktopLanguage());
    QCommandLineParser shown;
    addOptions(shown);
    shown.parse(arguments);
    if (!wrong) {
        std::fputs(shown.helpText().toLocal8Bit().constData(), stdout);
        return {Run::Exit, 0, {}, false, {}};
    }
    const QString error = !parser.unknownOptionNames().isEmpty()
        ? QCoreApplication::translate("CommandLine", "Άγνωστη επιλογή: %1").arg(parser.unknownOptionNames().constFirst())
        : !parsed ? QCoreApplication::translate("CommandLine", "Λάθος επιλογή: %1").arg(shown.errorText())
        : !parser.positionalArguments().isEmpty()
        ? QCoreApplication::translate("CommandLine", "Άγνωστο όρισμα: %1").arg(parser.positionalArguments().constFirst())
        : classWrong && progress
        ? QCoreApplication::translate("CommandLine", "Οι επιλογές --class και --progress δεν δίνονται μαζί.")
        : classWrong ? QCoreApplication::translate("CommandLine", "Η επιλογή --class δίνεται μόνο με την --csv.")
        : csv && pdf                    ? QCoreApplication::translate("CommandLine", "Οι επιλογές --csv και --pdf δεν δίνονται μαζί.")
        : list && (progress || profileGiven || classCsv) ? QCoreApplication::translate("CommandLine", "Η επιλογή --profiles δίνεται μόνη της.")
        : profileGiven && profile.trimmed().isEmpty() ? QCoreApplication::translate("CommandLine", "Η επιλογή --profile χρειάζεται το όνομα ενός παιδιού.")
        : pdf && progress               ? QCoreApplication::translate("CommandLine", "Η επιλογή --pdf χρειάζεται όνομα αρχείου.")
        : QCoreApplication::translate("CommandLine", "Η επιλογή %1 χρειάζεται και την --progress.").arg(csv ? QStringLiteral("--csv")
                                                                              : QStringLiteral("--pdf"));
    // The message, then the options, as the usage of a program is given.
    const QString help = shown.helpText();
    tellOnStandardError(error + QLatin1String("\n\n") + (help.endsWith(QLatin1Char('\n')) ? help.chopped(1) : help));
    return {Run::Exit, 2, {}, false, {}};
}

} // namespace numbolo
