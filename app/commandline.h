#pragma once
// The options of the program: none starts the game; `--progress` opens the progress window,
// `--progress --csv` writes the history as CSV to standard output (`--csv=targets`: one row per
// target of every exercise, with one way to make it) and `--progress --pdf FILE`
// writes the progress report as PDF; `--class` opens the class window of the classes the school's
// database gives the login ([School]), `--class --csv` writes their play and `--class --pdf FILE`
// their report, none of them touching the game's settings or taking its
// one-copy lock. `--profile NAME` plays as the child NAME, or with `--progress` reports on that
// child; `--profiles` lists the children who have profiles.

#include <QString>

namespace numbolo {

enum class Run { Game, ProgressWindow, ProgressCsv, ProgressTargetsCsv, ProgressPdf, Profiles, ClassCsv, ClassWindow, ClassPdf, Exit };

struct CommandLine {
    Run run = Run::Game;
    int status = 0;             // the exit status, for Run::Exit
    QString file;               // the PDF's file, for Run::ProgressPdf and Run::ClassPdf
    bool platformGiven = false; // -platform was given
    QString profile;            // the child of --profile; empty without it
};

// Reads the options before any application object exists, so that the caller can make the one
// the run needs (no display for the CSV). `--help` prints the options (status 0); an unknown
// option or an argument prints what is wrong and the options to standard error (status 2).
// Qt's own options (-platform, -style, ...) pass through to the application object.
CommandLine readCommandLine(int argc, char *argv[]);

} // namespace numbolo
