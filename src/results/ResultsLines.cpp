#include "results/ResultsLines.h"

#include "support/Memory.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr char kFormFeed = 12;
constexpr char kCtrlZ = 26;
constexpr unsigned char kByteOrderMark[] = {0xEF, 0xBB, 0xBF};
// Room behind the text for the terminator of a last line without a line feed.
constexpr std::size_t kSlack = 16;

} // namespace

ResultsLines::ResultsLines(std::FILE* file, std::size_t block_size)
    : file_(file), buffer_(static_cast<char*>(Mem_Alloc(block_size + kSlack))), capacity_(block_size)
{
}

ResultsLines::~ResultsLines()
{
    Mem_Free(buffer_);
}

void ResultsLines::Fill()
{
    // Keep the start of the line being read; grow when it fills the buffer.
    std::size_t kept = end_ - begin_;
    std::memmove(buffer_, buffer_ + begin_, kept);
    begin_ = 0;
    end_ = kept;
    if (kept == capacity_) {
        if (capacity_ > SIZE_MAX / 4)
            Mem_OutOfMemory();
        capacity_ *= 2;
        buffer_ = static_cast<char*>(Mem_Realloc(buffer_, capacity_ + kSlack));
    }
    std::size_t wanted = capacity_ - end_;
    std::size_t got = std::fread(buffer_ + end_, 1, wanted, file_);
    char* fresh = buffer_ + end_;
    end_ += got;
    if (got < wanted) {
        failed_ = std::ferror(file_) != 0;
        at_end_ = true;
    }
    if (!started_) {
        started_ = true;
        if (end_ >= sizeof kByteOrderMark && std::memcmp(buffer_, kByteOrderMark, sizeof kByteOrderMark) == 0)
            begin_ = sizeof kByteOrderMark;
    }
    if (char* ctrl_z = static_cast<char*>(std::memchr(fresh, kCtrlZ, got))) {
        end_ = static_cast<std::size_t>(ctrl_z - buffer_);
        at_end_ = true;
        got = static_cast<std::size_t>(ctrl_z - fresh);
    }
    form_feeds_ = form_feeds_ || std::memchr(fresh, kFormFeed, got) != nullptr;
    nuls_ = nuls_ || std::memchr(fresh, '\0', got) != nullptr;
}

std::size_t ResultsLines::Finish(char* line, std::size_t length) const
{
    if (form_feeds_) {
        std::size_t kept = 0;
        for (std::size_t i = 0; i < length; ++i) {
            if (line[i] != kFormFeed)
                line[kept++] = line[i];
        }
        length = kept;
    }
    if (nuls_) {
        if (const void* nul = std::memchr(line, '\0', length))
            length = static_cast<std::size_t>(static_cast<const char*>(nul) - line);
    }
    line[length] = '\0';
    return length;
}

bool ResultsLines::Next(char** line, std::size_t* length)
{
    for (;;) {
        char* start = buffer_ + begin_;
        std::size_t left = end_ - begin_;
        if (char* feed = static_cast<char*>(std::memchr(start, '\n', left))) {
            std::size_t n = static_cast<std::size_t>(feed - start);
            begin_ += n + 1;
            if (n > 0 && start[n - 1] == '\r')
                --n;
            *line = start;
            *length = Finish(start, n);
            return true;
        }
        if (failed_)
            return false;
        if (at_end_) {
            if (left == 0)
                return false;
            begin_ = end_;
            *line = start;
            *length = Finish(start, left);
            return true;
        }
        Fill();
    }
}
