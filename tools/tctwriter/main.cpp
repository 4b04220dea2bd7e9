// make-tactic: writes a game tactic file (".tct") from its text description.
//
//   make-tactic INPUT.txt OUTPUT.tct   parse INPUT and write OUTPUT (1476 bytes)
//   make-tactic --check INPUT.txt...   only check the descriptions
//   make-tactic --dump FILE.tct        print the positions of a tactic file
//                                      as a text description
//
// The text format is described at the top of tools/tctwriter/TctWriter.h.
// Exit code 0 on success, 1 on bad input or a failed write, 2 on bad usage.
#include "tctwriter/TctWriter.h"

#include "compare/Formation.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

int Usage()
{
    std::fputs("usage: make-tactic INPUT.txt OUTPUT.tct\n"
               "       make-tactic --check INPUT.txt...\n"
               "       make-tactic --dump FILE.tct\n",
               stderr);
    return 2;
}

// Reads and parses one description; prints what is wrong as "path:line: message".
bool Load(const char* path, std::string* bytes)
{
    std::string text;
    std::string message;
    if (!TctWriter_ReadFile(path, &text, &message)) {
        std::fprintf(stderr, "make-tactic: %s\n", message.c_str());
        return false;
    }
    TctParseError error;
    if (!TctWriter_Parse(text, bytes, &error)) {
        std::fprintf(stderr, "%s:%d: %s\n", path, error.line, error.message.c_str());
        return false;
    }
    return true;
}

int Check(int count, char** paths)
{
    int failed = 0;
    for (int i = 0; i < count; ++i) {
        std::string bytes;
        if (!Load(paths[i], &bytes))
            failed = 1;
    }
    return failed;
}

int Dump(const char* path)
{
    std::string bytes;
    std::string message;
    if (!TctWriter_ReadFile(path, &bytes, &message)) {
        std::fprintf(stderr, "make-tactic: %s\n", message.c_str());
        return 1;
    }
    if (bytes.size() < static_cast<std::size_t>(kFormationBytes)) {
        std::fprintf(stderr, "make-tactic: %s has %zu bytes; a tactic file has at least %d\n", path, bytes.size(),
                     kFormationBytes);
        return 1;
    }
    std::string text = TctWriter_Format(bytes, {}, std::string("Positions of ") + path);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

int Make(const char* input, const char* output)
{
    std::string bytes;
    if (!Load(input, &bytes))
        return 1;
    std::string message;
    if (!TctWriter_WriteFile(output, bytes, &message)) {
        std::fprintf(stderr, "make-tactic: %s\n", message.c_str());
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && std::strcmp(argv[1], "--check") == 0)
        return Check(argc - 2, argv + 2);
    if (argc == 3 && std::strcmp(argv[1], "--dump") == 0)
        return Dump(argv[2]);
    if (argc == 3 && argv[1][0] != '-' && argv[2][0] != '-')
        return Make(argv[1], argv[2]);
    return Usage();
}
