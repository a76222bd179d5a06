// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "tools/analyze.h"
#ifndef _WIN32
#include "records/file_store.h"
#endif

namespace brisko {
namespace {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome run(std::vector<std::string> args, const std::string& input = "") {
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    const int status = runAnalyze(args, in, out, err);
    return {status, out.str(), err.str()};
}

TEST(AnalyzeCommands, AnswerGoodInput) {
    EXPECT_EQ(run({"eval", "KS", "4H", "JK", "9C", "2D"}).out, "1 10100 13\n");
    EXPECT_EQ(run({"eval", "as", "kS", "Qs", "js", "10s"}).out, "9 11111 -1\n");
    EXPECT_EQ(run({"eval", "1", "14", "27", "40", "53"}).out, "7 11110 -1\n");
    EXPECT_EQ(run({"eval", "QS", "QH", "4C", "7D", "9S"}).out, "0 11000 -1\n");
    EXPECT_EQ(run({"deal", "1", "0"}).out, "1 2 45 53 15\n");
    EXPECT_EQ(run({"deal", "2", "86399999"}).out, "38 52 18 13 53\n");
    EXPECT_EQ(run({"draw", "3", "777", "6", "26", "34", "31", "37", "10100"}).out,
              "6 20 34 36 13\n");
    EXPECT_EQ(run({"draw", "2", "12", "AS", "2S", "3S", "4S", "5S", "10001"}).out,
              "1 53 52 50 5\n");
    EXPECT_EQ(run({"suggest", "2H", "5H", "9H", "JH", "3S"}).out, "11110\n");
    const Outcome help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* word : {"eval", "deal", "draw", "suggest", "JK", "86399999"}) {
        EXPECT_NE(help.out.find(word), std::string::npos) << word;
    }
}

// Every command explains itself on --help, on standard output, status 0.
TEST(AnalyzeCommands, EveryCommandPrintsItsHelp) {
    for (const char* command :
         {"eval", "deal", "draw", "suggest", "rtp", "advise", "simulate", "play"}) {
        const Outcome help = run({command, "--help"});
        EXPECT_EQ(help.status, 0) << command << ": " << help.err;
        EXPECT_NE(help.out.find(command), std::string::npos) << command;
        EXPECT_EQ(help.err, "") << command;
    }
    EXPECT_NE(run({"simulate", "-h"}).out.find("--games N"), std::string::npos);
}

TEST(AnalyzeCommands, EachHandEvaluatedAfresh) {
    // A pair of kings, then a hand where nothing pays: no pair rank carried over.
    const Outcome r = run({"eval"}, "KS KH 2C 3D 4S\n2S 3H 7C 8D JS\n\nAS AH 2C 3D 4S\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "1 11000 13\n0 00000 -1\n1 11000 14\n");
}

TEST(AnalyzeCommands, ReadLinesForEveryCommand) {
    EXPECT_EQ(run({"deal"}, "1 0\n3 1\n").out, "1 2 45 53 15\n2 45 11 15 35\n");
    EXPECT_EQ(run({"draw"}, "3 777 6 26 34 31 37 10100\n").out, "6 20 34 36 13\n");
    EXPECT_EQ(run({"suggest"}, "KS 8D 5C 3H 2S\n").out, "10000\n");
}

TEST(AnalyzeCommands, RefuseBadInputWithOneLineAndStatusTwo) {
    struct Bad {
        std::vector<std::string> args;
        const char* word;
    };
    const Bad cases[] = {
        {{"eval", "KS", "4H", "XX", "9C", "2D"}, "'XX'"},
        {{"eval", "KS", "4H", "KS", "9C", "2D"}, "twice: 'KS'"},
        {{"eval", "JK", "4H", "53", "9C", "2D"}, "two jokers: '53'"},
        {{"eval", "KS", "4H", "9C", "2D"}, "got 4"},
        {{"eval", "KS", "4H", "9C", "2D", "3D", "4D"}, "got 6"},
        {{"eval", "KS", "4H", "54", "9C", "2D"}, "'54'"},
        {{"deal", "0", "5"}, "'0'"},
        {{"deal", "4", "5"}, "'4'"},
        {{"deal", "1", "-1"}, "'-1'"},
        {{"deal", "1", "86400000"}, "'86400000'"},
        {{"deal", "1", "99999999999999999999"}, "'99999999999999999999'"},
        {{"deal", "1", "12x"}, "'12x'"},
        {{"draw", "1", "5", "1", "2", "3", "4", "5", "1010"}, "'1010'"},
        {{"draw", "1", "5", "1", "2", "3", "4", "5", "10201"}, "'10201'"},
        {{"draw", "1", "5", "1", "2", "3", "4", "5"}, "got 7"},
        {{"suggest", "AS"}, "got 1"},
        {{"frobnicate"}, "'frobnicate'"},
    };
    for (const Bad& b : cases) {
        const Outcome r = run(b.args);
        EXPECT_EQ(r.status, 2) << b.word;
        EXPECT_EQ(r.out, "") << b.word;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_NE(r.err.find(b.word), std::string::npos) << r.err;
    }
    EXPECT_EQ(run({}).status, 2);
}

TEST(AnalyzeCommands, BadLinesDoNotStopTheOthers) {
    const Outcome r = run({"eval"}, "KS KH 2C 3D 4S\nKS KS 2C 3D 4S\nAS AH 2C 3D 4S\n");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "1 11000 13\n1 11000 14\n");
    EXPECT_NE(r.err.find("'KS'"), std::string::npos);
}

#ifndef _WIN32
// A bare file name after --store is a file of the current folder, and the
// name is upper-cased as the change-game dialog does it, accents too.
TEST(AnalyzeCommands, PlayStoresABareFileNameInTheCurrentFolder) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::path(::testing::TempDir()) / "brisko_play_bare_store";
    fs::remove_all(folder);
    fs::create_directories(folder);
    const fs::path before = fs::current_path();
    fs::current_path(folder);
    const Outcome r = run({"play", "--store", "user.reg"}, "name héloïse\nnew\n");
    fs::current_path(before);
    EXPECT_EQ(r.status, 0) << r.err;
    FileStore store(folder / "user.reg");
    store.openKey("Software\\Caldimo\\BRISKO 99\\");
    EXPECT_EQ(store.readString("optionYourName"), "HÉLOÏSE");
    fs::remove_all(folder);
}
#endif

}  // namespace
}  // namespace brisko
