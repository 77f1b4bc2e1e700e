// Parses and formats one fixed corpus of IPv4 and IPv6 address texts with
// this library's grammar and with the C library's inet_pton/inet_ntop.
//
//   addr_bench <parse|inet_pton|format|inet_ntop|parse_port> <v4|v6> [rounds]
//
// parse_port parses the same addresses with a port added ("a.b.c.d:port",
// "[v6]:port"), which the C library has no parser for; it shows the cost of
// the full token-based parse that every form other than a bare address takes.
//
// Only the bench_* loops are meant to be measured (run_callgrind.sh counts
// their instructions); building the corpus is outside them. The program
// prints how many addresses the loop handled and a checksum that keeps the
// work from being optimised away.
#include <arpa/inet.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "address/address_text.h"
#include "bench/common/address_corpus.h"

namespace {

struct Address {
    unsigned char bytes[16];
};

struct Corpus {
    int family = AF_INET;
    std::vector<std::string> narrow;        // for inet_pton
    std::vector<std::u16string> wide;       // for ParseAddressText
    std::vector<std::u16string> withPort;   // the same with a port
    std::vector<SilAddressRecord> records;  // for FormatAddressText
    std::vector<Address> addresses;         // for inet_ntop
};

Corpus BuildCorpus(bool ipv6) {
    Corpus corpus;
    corpus.family = ipv6 ? AF_INET6 : AF_INET;
    const std::vector<std::string> texts = bench::AddressCorpusTexts(ipv6);
    const std::vector<std::string> ported = bench::WithPorts(texts, ipv6);
    for (size_t i = 0; i < texts.size(); ++i) {
        const std::string& text = texts[i];
        corpus.narrow.push_back(text);
        corpus.wide.emplace_back(text.begin(), text.end());
        corpus.withPort.emplace_back(ported[i].begin(), ported[i].end());
        SilAddressRecord record;
        if (ParseAddressText(corpus.wide.back().c_str(), &record, nullptr, 0) != kAddressTextOk) {
            std::fprintf(stderr, "corpus text %s does not parse\n", text.c_str());
            std::exit(1);
        }
        corpus.records.push_back(record);
        Address address = {};
        inet_pton(corpus.family, text.c_str(), address.bytes);
        corpus.addresses.push_back(address);
    }
    return corpus;
}

}  // namespace

// Runs op on every item, rounds times; inlined into each measured loop.
template <typename Items, typename Op>
inline unsigned Repeat(const Items& items, int rounds, Op op) {
    unsigned sum = 0;
    for (int r = 0; r < rounds; ++r) {
        for (const auto& item : items) sum += op(item);
    }
    return sum;
}

// The measured loops: not inlined, so that callgrind can count exactly them.
extern "C" __attribute__((noinline)) unsigned bench_parse(const std::vector<std::u16string>& texts,
                                                          int rounds) {
    SilAddressRecord record;
    return Repeat(texts, rounds, [&](const std::u16string& text) {
        return ParseAddressText(text.c_str(), &record, nullptr, 0) + record.v6.address[15];
    });
}

extern "C" __attribute__((noinline)) unsigned bench_inet_pton(const Corpus& c, int rounds) {
    unsigned char bytes[16];
    return Repeat(c.narrow, rounds, [&](const std::string& text) {
        return static_cast<unsigned>(inet_pton(c.family, text.c_str(), bytes)) + bytes[3];
    });
}

extern "C" __attribute__((noinline)) unsigned bench_format(const Corpus& c, int rounds) {
    char16_t text[kAddressTextCapacity];
    return Repeat(c.records, rounds, [&](const SilAddressRecord& record) {
        return FormatAddressText(&record, text, kAddressTextCapacity, nullptr, 0) + text[2];
    });
}

extern "C" __attribute__((noinline)) unsigned bench_inet_ntop(const Corpus& c, int rounds) {
    char text[INET6_ADDRSTRLEN];
    return Repeat(c.addresses, rounds, [&](const Address& address) {
        inet_ntop(c.family, address.bytes, text, sizeof text);
        return static_cast<unsigned>(static_cast<unsigned char>(text[2]));
    });
}

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr,
                     "usage: %s <parse|inet_pton|format|inet_ntop|parse_port> <v4|v6> [rounds]\n",
                     argv[0]);
        return 2;
    }
    const std::string mode = argv[1];
    const bool ipv6 = std::strcmp(argv[2], "v6") == 0;
    const int rounds = argc > 3 ? std::atoi(argv[3]) : 20;
    const Corpus corpus = BuildCorpus(ipv6);

    unsigned sum;
    if (mode == "parse") {
        sum = bench_parse(corpus.wide, rounds);
    } else if (mode == "parse_port") {
        sum = bench_parse(corpus.withPort, rounds);
    } else if (mode == "inet_pton") {
        sum = bench_inet_pton(corpus, rounds);
    } else if (mode == "format") {
        sum = bench_format(corpus, rounds);
    } else if (mode == "inet_ntop") {
        sum = bench_inet_ntop(corpus, rounds);
    } else {
        std::fprintf(stderr, "unknown mode %s\n", mode.c_str());
        return 2;
    }
    std::printf("addresses %zu checksum %u\n", corpus.wide.size() * static_cast<size_t>(rounds), sum);
    return 0;
}
