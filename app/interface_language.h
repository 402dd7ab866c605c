#pragma once
#include <QApplication>
#include <string>

// Chooses the interface language from the environment: the program's texts and Qt's own (its
// standard buttons and context menus) follow it. Returns the language chosen.
std::string UseInterfaceLanguage(QApplication& app);
