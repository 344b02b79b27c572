#include "core/search/replacestream.h"

#include "core/dumpfile/filecopy.h"
#include "core/search/bytescan.h"
#include "core/ui/progress.h"

#include <cstring>
#include <memory>
#include <vector>

namespace byzel {
namespace {

constexpr std::size_t kBlock = 4 << 20;
constexpr std::size_t kDirectRun = 64 << 10;

// Collects output and hands it to the sink in large pieces.
class OutputBuffer {
public:
    explicit OutputBuffer(const ByteSink* sink) : m_sink(sink) {
        if (m_sink)
            m_bytes.reserve(kBlock + 64);
    }
    bool put(const std::uint8_t* data, std::size_t size) {
        if (!m_sink || size == 0)
            return true;
        // Long runs go out as they are; copying them would only cost time.
        if (size >= kDirectRun)
            return flush() && (*m_sink)(std::span(data, size));
        if (m_bytes.size() + size > kBlock && !flush())
            return false;
        m_bytes.insert(m_bytes.end(), data, data + size);
        return true;
    }
    bool flush() {
        if (!m_sink || m_bytes.empty())
            return true;
        const bool ok = (*m_sink)(m_bytes);
        m_bytes.clear();
        return ok;
    }

private:
    const ByteSink* m_sink;
    std::vector<std::uint8_t> m_bytes;
};

} // namespace

ReplaceStreamResult ReplaceStream(int input, const ByteSink* output,
                                  std::span<const std::uint8_t> pattern,
                                  std::span<const std::uint8_t> replacement, std::int64_t inputSize,
                                  const ProgressFn& progress) {
    using Status = ReplaceStreamResult::Status;
    ReplaceStreamResult result;
    const std::size_t n = pattern.size();
    OutputBuffer out(output);
    // The bytes of the previous block that may still begin an occurrence lead the next one.
    // Left uninitialised: a short input touches only the pages it fills.
    const auto buffer = std::make_unique_for_overwrite<std::uint8_t[]>(kBlock + n);
    std::size_t carried = 0;
    std::int64_t consumed = 0;
    for (;;) {
        const long got = readSome(input, buffer.get() + carried, kBlock);
        if (got < 0) {
            result.status = Status::ReadFailed;
            return result;
        }
        if (got == 0)
            break;
        consumed += got;
        const std::size_t length = carried + static_cast<std::size_t>(got);
        const std::uint8_t* data = buffer.get();
        std::size_t pos = 0;
        while (n > 0 && length - pos >= n) {
            const std::uint8_t* hit = findFirst(std::span(data + pos, length - pos), pattern);
            if (!hit)
                break;
            const auto at = static_cast<std::size_t>(hit - data);
            if (!out.put(data + pos, at - pos) ||
                !out.put(replacement.data(), replacement.size())) {
                result.status = Status::WriteFailed;
                return result;
            }
            ++result.count;
            pos = at + n;
        }
        const std::size_t keep = n > 0 ? n - 1 : 0;
        const std::size_t tail = std::max(pos, length > keep ? length - keep : 0);
        if (!out.put(data + pos, tail - pos)) {
            result.status = Status::WriteFailed;
            return result;
        }
        std::memmove(buffer.get(), data + tail, length - tail);
        carried = length - tail;
        if (progress && !progress(consumed, inputSize)) {
            result.status = Status::Cancelled;
            return result;
        }
    }
    if (!out.put(buffer.get(), carried) || !out.flush())
        result.status = Status::WriteFailed;
    return result;
}

} // namespace byzel
