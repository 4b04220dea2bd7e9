// The lines of a results file, read in large blocks and split in place: the
// same lines, with the same text, that TacticResult_ReadNext takes from the
// file opened as text (a carriage return before a line feed dropped, form
// feeds dropped, a Ctrl-Z ending the input, the text ending at a NUL byte),
// and a UTF-8 byte-order mark at the very start of the file skipped.
#pragma once

#include <cstddef>
#include <cstdio>

class ResultsLines {
public:
    static constexpr std::size_t kBlockSize = 256 * 1024;

    // Reads file, opened in binary mode, from its current position. The
    // block size is for tests: a line may be longer than a block.
    explicit ResultsLines(std::FILE* file, std::size_t block_size = kBlockSize);
    ~ResultsLines();
    ResultsLines(const ResultsLines&) = delete;
    ResultsLines& operator=(const ResultsLines&) = delete;

    // The next line: *line points to its text, *length bytes without a NUL
    // byte and followed by one, valid until the next call. False at the end
    // of the input and after a read error.
    bool Next(char** line, std::size_t* length);

    // Whether reading stopped at a read error. The line that the error cut
    // short is not given out; the lines before it are.
    bool Failed() const { return failed_; }

private:
    // Reads the next block behind what is left of the buffer.
    void Fill();
    // Drops form feeds, cuts the text at a NUL byte and terminates it.
    std::size_t Finish(char* line, std::size_t length) const;

    std::FILE* file_;
    char* buffer_;
    std::size_t capacity_; // bytes that reading may fill, a few more follow
    std::size_t begin_ = 0; // the unread text is buffer_[begin_, end_)
    std::size_t end_ = 0;
    bool started_ = false;
    bool at_end_ = false;
    bool failed_ = false;
    bool form_feeds_ = false; // seen in the file: lines need their removal
    bool nuls_ = false;       // seen in the file: lines need cutting
};
