#pragma once
// What the tests of the rules, the solver and the level tools share: whole files
// in and out, and the folders the build was made from. No SDL, no game.
#include <gtest/gtest.h>

#include <string>

std::string readWholeFile(const std::string& path);
void writeWholeFile(const std::string& path, const std::string& bytes);
