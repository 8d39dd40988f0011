#pragma once
// Running wexel-calc from the tests: in-process through runWexelCalc, and as
// the real executable with its own standard streams.

#include "cli/WexelCalc.h"
#include "platform/AppFacts.h"
#include "support/TestSupport.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace wexel::testing {

struct Ran {
    int status = -1;
    std::string out;
    std::string err;
};

inline Ran runInProcess(const std::vector<std::string>& args, const std::string& input = {}) {
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    Ran ran;
    ran.status = runWexelCalc(args, out, err, in, "/nonexistent-default-folder");
    ran.out = out.str();
    ran.err = err.str();
    return ran;
}

inline std::string readWhole(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Runs `exe` with `args`, standard input from `input`, and collects its
// standard output and error and its exit status.
inline Ran runProgram(const std::string& exe, const std::vector<std::string>& args,
                      const std::string& input = {}) {
    TempFolder io;
    io.write("stdin", input);
    const std::string inPath = io.file("stdin");
    const std::string outPath = io.file("stdout");
    const std::string errPath = io.file("stderr");

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, inPath.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    std::vector<std::string> argvText{exe};
    argvText.insert(argvText.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : argvText) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);

    Ran ran;
    pid_t pid = 0;
    if (posix_spawn(&pid, exe.c_str(), &actions, nullptr, argv.data(), environ) == 0) {
        int wstatus = 0;
        if (waitpid(pid, &wstatus, 0) == pid && WIFEXITED(wstatus)) {
            ran.status = WEXITSTATUS(wstatus);
        }
    }
    posix_spawn_file_actions_destroy(&actions);
    ran.out = readWhole(outPath);
    ran.err = readWhole(errPath);
    return ran;
}

inline Ran runExecutable(const std::vector<std::string>& args, const std::string& input = {}) {
    return runProgram(WEXEL_CALC_EXE, args, input);
}

// A folder with the two data files.
class DataFolder {
public:
    DataFolder(const std::string& names, const std::string& tiers) {
        folder.write(kNamesFileName, names);
        folder.write(kTiersFileName, tiers);
    }
    std::string path() const { return folder.path(); }
    // The arguments for a command on this folder: --data FOLDER, then `words`.
    std::vector<std::string> args(std::initializer_list<std::string> words) const {
        std::vector<std::string> a{"--data", folder.path()};
        a.insert(a.end(), words.begin(), words.end());
        return a;
    }
    TempFolder folder;
};

// The made-up table of the calculator examples (bands 1-3, 4-9, 10 and up at
// 1.0, 0.5, 0.25 Wexels per unit), a one-tier conversion at 0.07, and one of
// each other unit.
inline const char* const kExampleNames = "A1,WXE007,MSU\r\n"
                                         "\"B2\" , \"Flat Rate\" , \"MSU\"\r\n"
                                         "C3,Database Engine,MSG\r\n"
                                         "D4,Scheduler,ENG\r\n";
inline const char* const kExampleTiers = "A1,1,3,,1.0\r\n"
                                         "A1,4,9,,0.5\r\n"
                                         "A1,10,999999,,0.25\r\n"
                                         "A1,100,199,X,9\r\n"
                                         "B2,1,999999,,0.07\r\n"
                                         "C3,1,5,,1.0\r\n"
                                         "C3,6,999999,,0.45\r\n"
                                         "D4,1,2,,2.5\r\n"
                                         "D4,3,999999,,1.5\r\n";

} // namespace wexel::testing
