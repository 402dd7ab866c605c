#pragma once
#include <cstdio>
#include <string>

#include "app/message_boxes.h"

// The benchmarks answer no question and print what the program would show as an error.
class StderrBoxes : public MessageBoxes {
  public:
    void Error(const std::string& t) override { std::fprintf(stderr, "Fehler: %s\n", t.c_str()); }
    void Information(const std::string&) override {}
    bool Question(const std::string&) override { return false; }
    void Stop(const std::string&) override {}
    void Plain(const std::string&) override {}
};
