#include "arguments.h"

#include <windows.h>
#include <oleauto.h>
#include <winsock2.h>
#include <ws2ipdef.h>

#include <algorithm>
#include <cstring>


namespace qlrel {

namespace {

constexpr uint32_t kHuge = 0xFFFFFFFFu;
constexpr size_t kHugeRoom = 64 * 1024;  // what a huge stated length really gets
constexpr size_t kSockaddrBytes = 28;

std::function<bool()> g_completePending;

uintptr_t Address(const void* p) { return reinterpret_cast<uintptr_t>(p); }

class Numbers : public Piece {
public:
    explicit Numbers(std::vector<uintptr_t> values) { values_ = std::move(values); }
};

// An out value, a socket address buffer: memory the export may write.
class OutBlock : public Piece {
public:
    explicit OutBlock(size_t size) { values_ = {Address(add(size).data())}; }
};

// A text the export only reads, ending with its terminator at a guard page;
// it must still be there, unchanged, afterwards.
class TextIn : public Piece {
public:
    explicit TextIn(std::vector<uint8_t> bytes) : original_(std::move(bytes)) {
        GuardedBlock& block = add(original_.size());
        memcpy(block.data(), original_.data(), original_.size());
        values_ = {Address(block.data())};
    }
    std::string afterCall(const CallOutcome&) override {
        if (memcmp(blocks_[0].data(), original_.data(), original_.size()) != 0) return "changed an input text";
        return damage();
    }

private:
    std::vector<uint8_t> original_;
};

std::vector<uint8_t> WideBytes(const std::u16string& text) {
    std::vector<uint8_t> bytes((text.size() + 1) * 2, 0);
    memcpy(bytes.data(), text.data(), text.size() * 2);
    return bytes;
}

std::vector<uint8_t> AnsiBytes(const std::string& text) {
    std::vector<uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

// A socket address the export reads: exactly as long as its family says.
class SockaddrIn : public Piece {
public:
    SockaddrIn(uint16_t family, size_t size) {
        GuardedBlock& block = add(size, 0);
        if (size >= 2) memcpy(block.data(), &family, 2);
        if (family == AF_INET && size >= 8) {
            const uint8_t portAndAddress[6] = {0x13, 0x90, 10, 1, 2, 3};
            memcpy(block.data() + 2, portAndAddress, 6);
        } else if (family == AF_INET6 && size >= 24) {
            block.data()[8] = 0xFE, block.data()[9] = 0x80, block.data()[23] = 1;
        }
        values_ = {Address(block.data())};
    }
};

// A buffer with its stated length, by value or through a pointer. The
// buffer is exactly as long as stated (a huge length gets kHugeRoom), so a
// write past the stated length faults at the guard page.
class SizedBuffer : public Piece {
public:
    SizedBuffer(bool nullBuffer, uint32_t stated, bool byPointer, bool nullLength, bool text)
        : stated_(stated), text_(text) {
        values_ = {nullBuffer ? 0 : Address(add(stated == kHuge ? kHugeRoom : stated).data()), stated};
        if (byPointer) {
            uint8_t* length = nullLength ? nullptr : add(sizeof stated).data();
            if (length) memcpy(length, &stated, sizeof stated);
            values_[1] = Address(length);
        }
    }
    std::string afterCall(const CallOutcome& outcome) override {
        if (outcome.faulted) return "";
        if (std::string d = damage(); !d.empty()) return d;
        if (!text_ || values_[0] == 0) return "";
        // Text written into the buffer is terminated within length/2 units.
        const size_t capacity = (stated_ == kHuge ? kHugeRoom : stated_) / 2;
        const auto* bytes = reinterpret_cast<const uint8_t*>(values_[0]);
        const auto* units = reinterpret_cast<const uint16_t*>(values_[0]);
        if (std::all_of(bytes, bytes + capacity * 2, [](uint8_t b) { return b == 0xCC; })) return "";  // untouched
        if (std::find(units, units + capacity, 0) != units + capacity) return "";
        return "text written without a terminator within " + std::to_string(capacity) + " units";
    }

private:
    uint32_t stated_;
    bool text_;
};

// An array of socket addresses and its count in addresses.
class SockaddrArray : public Piece {
public:
    SockaddrArray(bool nullBuffer, bool nullCount, uint32_t count) {
        uint8_t* buffer = nullBuffer ? nullptr : add(count * kSockaddrBytes).data();
        uint8_t* countAt = nullCount ? nullptr : add(sizeof count).data();
        if (countAt) memcpy(countAt, &count, sizeof count);
        values_ = {Address(buffer), Address(countAt)};
    }
};

// The caller's BSTR: the pointer to it sits at a guard page; after the call
// whatever BSTR it holds must be well formed (its terminator in place), and
// is freed.
class BstrOut : public Piece {
public:
    enum Kind { NullPointer, NullBstr, Bytes };
    BstrOut(Kind kind, const std::string& bytes) {
        if (kind == NullPointer) {
            values_ = {0};
            return;
        }
        slot_ = add(sizeof(BSTR)).data();
        if (kind == Bytes) original_ = SysAllocStringByteLen(bytes.data(), UINT(bytes.size()));
        memcpy(slot_, &original_, sizeof original_);
        values_ = {Address(slot_)};
    }
    std::string answer() const override {
        BSTR now = nullptr;
        if (slot_) memcpy(&now, slot_, sizeof now);
        return now ? std::string(reinterpret_cast<const char*>(now), SysStringByteLen(now)) : "(null)";
    }
    std::string afterCall(const CallOutcome& outcome) override {
        if (!slot_ || outcome.faulted) return "";
        std::string problem = damage();
        BSTR now;
        memcpy(&now, slot_, sizeof now);
        if (now) {
            const UINT bytes = SysStringByteLen(now);
            const auto* data = reinterpret_cast<const uint8_t*>(now);
            if (data[bytes] != 0 || data[bytes + 1] != 0) problem = "a BSTR without its terminator";
        }
        // The export reallocated the original, or left it alone.
        SysFreeString(now);
        return problem;
    }

private:
    uint8_t* slot_ = nullptr;
    BSTR original_ = nullptr;
};

// An OVERLAPPED the export may hand to the driver. A request still pending
// after the call is ended through the simulated driver before the
// structure goes away; one that never ends is reported and its memory kept.
class Overlapped : public Piece {
public:
    explicit Overlapped(bool withEvent) {
        overlapped_ = reinterpret_cast<OVERLAPPED*>(add(sizeof(OVERLAPPED), 0).data());
        if (withEvent) overlapped_->hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        values_ = {Address(overlapped_)};
    }
    std::string answer() const override { return ""; }  // holds an event handle of its own
    ~Overlapped() override {
        if (kept_) blocks_.front().abandon();
    }
    std::string afterCall(const CallOutcome& outcome) override {
        std::string problem = outcome.faulted ? "" : damage();
        // Only a request the export reports as issued can be pending. One the
        // driver refused at once leaves Internal at the STATUS_PENDING that
        // DeviceIoControl preset: once the driver holds nothing pending,
        // nothing can still write into the structure.
        for (int i = 0; !outcome.faulted && outcome.result && overlapped_->Internal == STATUS_PENDING; ++i) {
            if (!g_completePending || !g_completePending()) break;
            if (i == 500) {
                kept_ = true;  // the driver may still write into it
                problem = "a request on the caller's OVERLAPPED never ended";
                break;
            }
            Sleep(10);
        }
        if (overlapped_->hEvent) CloseHandle(overlapped_->hEvent);
        overlapped_->hEvent = nullptr;
        return problem;
    }

private:
    OVERLAPPED* overlapped_;
    bool kept_ = false;
};

template <typename P, typename... A>
PieceMaker Make(std::string label, A... args) {
    return {std::move(label), [=] { return std::unique_ptr<Piece>(new P(args...)); }};
}

PieceMaker Nulls(size_t width) { return {"null", [=] { return std::unique_ptr<Piece>(new Numbers(std::vector<uintptr_t>(width, 0))); }}; }

std::u16string Repeat(size_t count) {
    std::u16string text;
    for (size_t i = 0; i < count; ++i) text.push_back(char16_t(u'a' + i % 26));
    return text;
}

// Texts of 0, 1, 7, 255, 256, 257 and 4000 units, and the odd ones.
std::vector<PieceMaker> Texts(bool wide) {
    std::vector<PieceMaker> makers = {Nulls(1)};
    for (size_t units : {0, 1, 7, 255, 256, 257, 4000}) {
        const std::u16string text = Repeat(units);
        makers.push_back(Make<TextIn>(std::to_string(units) + (wide ? " units" : " bytes"),
                                      wide ? WideBytes(text) : AnsiBytes(std::string(text.begin(), text.end()))));
    }
    if (!wide) makers.push_back(Make<TextIn>("high bytes", AnsiBytes("\x80\xFF\xE9\x81")));
    if (wide) makers.push_back(Make<TextIn>("unpaired surrogates", WideBytes(u"\xD800x\xDC00\xDBFF")));
    if (wide) makers.push_back(Make<TextIn>("non-ASCII", WideBytes(u"\u00E9\u4E2D\uFFFD\U0001F600")));
    return makers;
}

PieceMaker Number(uintptr_t value, const char* label) { return Make<Numbers>(label, std::vector<uintptr_t>{value}); }

std::vector<PieceMaker> SizedBuffers(bool byPointer, bool text) {
    std::vector<PieceMaker> makers;
    const uint32_t lengths[] = {0, 1, 2, 3, 51, 52, 53, 87, 88, 103, 104, 143, 144, 145, 2047, 2048, kHuge};
    for (uint32_t length : lengths)
        makers.push_back(Make<SizedBuffer>("length " + (length == kHuge ? std::string("huge") : std::to_string(length)),
                                           false, length, byPointer, false, text));
    makers.push_back(Make<SizedBuffer>("null buffer, length 0", true, 0u, byPointer, false, text));
    makers.push_back(Make<SizedBuffer>("null buffer, length 100", true, 100u, byPointer, false, text));
    if (byPointer) {
        makers.push_back(Make<SizedBuffer>("null length pointer", false, 64u, true, true, text));
        makers.push_back(Make<SizedBuffer>("both null", true, 0u, true, true, text));
    }
    return makers;
}

}  // namespace

bool Piece::guards(uintptr_t address) const {
    for (const auto& block : blocks_)
        if (block.guards(address)) return true;
    return false;
}

GuardedBlock& Piece::add(size_t size, uint8_t fill) { return blocks_.emplace_back(size, fill); }

std::string Piece::answer() const {
    std::string bytes;
    for (const auto& block : blocks_) {
        const uintptr_t begin = Address(block.data()), end = begin + block.size();
        for (size_t i = 0; i < block.size();) {
            uintptr_t word;
            if (i % sizeof word == 0 && i + sizeof word <= block.size()) {
                memcpy(&word, block.data() + i, sizeof word);
                if (word >= begin && word < end) {
                    bytes += "@" + std::to_string(word - begin);
                    i += sizeof word;
                    continue;
                }
            }
            bytes.push_back(char(block.data()[i++]));
        }
        bytes += '|';
    }
    return bytes;
}

std::string Piece::damage() const {
    for (const auto& block : blocks_)
        if (std::string d = block.damage(); !d.empty()) return d;
    return "";
}

void SetPendingCompleter(std::function<bool()> complete) { g_completePending = std::move(complete); }

std::vector<ArgumentGroup> GroupsOf(const ExportEntry& entry) {
    std::vector<ArgumentGroup> groups;
    const auto& s = entry.shapes;
    for (size_t i = 0; i < s.size(); ++i) {
        const bool paired = s[i] == Shape::buffer || s[i] == Shape::wbuffer || s[i] == Shape::sockaddr_array;
        if (paired && i + 1 < s.size()) {
            groups.push_back({s[i], s[i + 1], 2, i});
            ++i;
        } else {
            groups.push_back({s[i], s[i], 1, i});
        }
    }
    return groups;
}

PieceMaker Nulls(const ArgumentGroup& group) { return Nulls(group.width); }

PieceMaker Benign(const ArgumentGroup& g) {
    switch (g.shape) {
    case Shape::u32_in: return Number(1, "1");
    case Shape::u16_in: return Number(5008, "5008");
    case Shape::u32_out:
    case Shape::bytes_in:
    case Shape::bytes_inout:
    case Shape::count_inout: return Make<OutBlock>("u32", size_t(4));
    case Shape::u16_out: return Make<OutBlock>("u16", size_t(2));
    case Shape::u64_out: return Make<OutBlock>("u64", size_t(8));
    case Shape::sockaddr_out: return Make<OutBlock>("28 bytes", kSockaddrBytes);
    case Shape::sockaddr_array: return Make<SockaddrArray>("1 address", false, false, 1u);
    case Shape::sockaddr_in: return Make<SockaddrIn>("IPv4", uint16_t(AF_INET), size_t(16));
    case Shape::buffer:
    case Shape::wbuffer:
        return Make<SizedBuffer>("4096 bytes", false, 4096u, g.lengthShape == Shape::bytes_inout, false,
                                 g.shape == Shape::wbuffer);
    case Shape::bstr_out: return Make<BstrOut>("empty BSTR", BstrOut::Bytes, std::string());
    case Shape::wtext_in: return Make<TextIn>("text", WideBytes(u"qlclapi"));
    case Shape::atext_in: return Make<TextIn>("text", AnsiBytes("qlclapi"));
    case Shape::overlapped: return Make<Overlapped>("with event", true);
    }
    return Nulls(g.width);
}

std::vector<PieceMaker> Hostile(const ArgumentGroup& g) {
    switch (g.shape) {
    case Shape::u32_in:
        return {Number(0, "0"), Number(2, "2"), Number(0x7FFFFFFF, "0x7FFFFFFF"), Number(0xFFFFFFFF, "0xFFFFFFFF")};
    case Shape::u16_in: return {Number(0, "0"), Number(0xFFFF, "0xFFFF")};
    case Shape::u32_out:
    case Shape::u16_out:
    case Shape::u64_out:
    case Shape::sockaddr_out:
    case Shape::bytes_in:
    case Shape::bytes_inout:
    case Shape::count_inout: return {Nulls(1)};
    // The benign form of each (the first call) is not repeated here.
    case Shape::sockaddr_array:
        return {Nulls(2), Make<SockaddrArray>("null buffer, count 1", true, false, 1u),
                Make<SockaddrArray>("null count", false, true, 1u), Make<SockaddrArray>("count 0", false, false, 0u),
                Make<SockaddrArray>("count 3", false, false, 3u)};
    case Shape::sockaddr_in:
        return {Nulls(1), Make<SockaddrIn>("IPv6", uint16_t(AF_INET6), size_t(28)),
                Make<SockaddrIn>("family 0", uint16_t(0), size_t(16)),
                Make<SockaddrIn>("family 0xFFFF", uint16_t(0xFFFF), size_t(16))};
    case Shape::buffer:
    case Shape::wbuffer: return SizedBuffers(g.lengthShape == Shape::bytes_inout, g.shape == Shape::wbuffer);
    case Shape::bstr_out:
        return {Make<BstrOut>("null pointer", BstrOut::NullPointer, std::string()),
                Make<BstrOut>("null BSTR", BstrOut::NullBstr, std::string()),
                Make<BstrOut>("1-byte BSTR", BstrOut::Bytes, std::string("x")),
                Make<BstrOut>("3-byte BSTR", BstrOut::Bytes, std::string("xyz")),
                Make<BstrOut>("4001-byte BSTR", BstrOut::Bytes, std::string(4001, 'b'))};
    case Shape::wtext_in: return Texts(true);
    case Shape::atext_in: return Texts(false);
    case Shape::overlapped:
        return {Nulls(1), Make<Overlapped>("without event", false)};
    }
    return {Nulls(g.width)};
}

PreparedCall Prepare(const std::vector<const PieceMaker*>& makers) {
    PreparedCall call;
    for (const PieceMaker* maker : makers) {
        if (!call.label.empty()) call.label += ", ";
        call.label += maker->label;
        call.pieces.push_back(maker->make());
        for (uintptr_t value : call.pieces.back()->values()) call.args.push_back(value);
    }
    return call;
}

std::string AnswerOf(const ExportEntry& entry, const PreparedCall& call, const CallOutcome& outcome) {
    // A handle is a new one every time: only whether there was one counts.
    std::string answer = entry.result == Result::handle ? std::string(outcome.result ? "handle" : "none")
                                                          : std::to_string(outcome.result);
    for (const auto& piece : call.pieces) answer += "/" + piece->answer();
    return answer;
}

void Append(std::string& problems, const std::string& problem, const char* separator) {
    if (!problem.empty()) problems += (problems.empty() ? "" : separator) + problem;
}

std::string Finish(const ExportEntry& entry, PreparedCall& call, const CallOutcome& outcome) {
    std::string problems;
    if (outcome.faulted) {
        std::string fault = DescribeFault(outcome);
        for (const auto& piece : call.pieces)
            if (outcome.code == EXCEPTION_ACCESS_VIOLATION && piece->guards(outcome.address))
                fault += " (past the stated length of an argument)";
        Append(problems, fault);
    }
    for (auto& piece : call.pieces) Append(problems, piece->afterCall(outcome));
    if (entry.result == Result::handle && outcome.result && !outcome.faulted)
        CloseHandle(reinterpret_cast<HANDLE>(static_cast<uintptr_t>(outcome.result)));
    return problems;
}

}  // namespace qlrel
