#pragma once
// Start-up of one run: command line, company profile, rights, version check
// and the working window of the menu number.
#include "start/MenuDispatch.h"

#include <QDate>
#include <QStringList>
#include <optional>
#include <vector>

namespace meridox {

class TFrForm;

struct CommandLine {
    int MenuId = 0;
    int UserId = 0;
    QString CompanyDbName;
    int MenuNo = 0;
    QDate WorkDate;
};

// Reads the six positional arguments (the program name excluded). On a wrong
// argument returns nullopt and puts in `error` a message naming it.
std::optional<CommandLine> parseCommandLine(const QStringList& args, QString& error);

// A date "dd/mm/yyyy", whatever the machine's regional settings.
QDate parseWorkDate(const QString& text);

// The windows of a menu entry, created and given their mode (not shown).
std::vector<TFrForm*> createMenuWindows(const MenuEntry& entry);

// Runs start-up; returns the windows created (the first is the main one), or
// none when start-up refused. `exitCode` is what the process should return
// when no window opened.
std::vector<TFrForm*> startUp(const QStringList& args, int& exitCode);

} // namespace meridox
