#pragma once
// How the class window and the printed class report write the class's figures: the pupils'
// table, the figures by operator pair and range, and the worksheet of the most-missed targets,
// each with one way to make it.

#include "classroom/classfigures.h"

#include <QStringList>

#include <vector>

namespace numbolo {

class Ways;

QStringList pupilHeaders();
QStringList pupilCells(const PupilRow &row);
// A group as the chart and the tables name it: its operators, or its range as "0 - 100".
QString groupName(const ClassGroup &group);
QStringList worksheetHeaders();
// The worksheet's rows: each target, how often it was missed, the keys of its latest miss and one
// way to make it with them ("" where the solver finds none).
std::vector<QStringList> worksheetRows(const std::vector<MissedTarget> &missed, Ways &ways);

// The printed worksheet alone, and the whole class report (`--class --pdf`) as of `today`.
QString worksheetHtml(const std::vector<MissedTarget> &missed, Ways &ways);
QString classReportHtml(const ClassFigures &figures, const QDate &today, Ways &ways);

} // namespace numbolo
