// The fixed corpus of address texts both address benchmarks measure: 256
// IPv4 and 256 IPv6 texts in the shapes seen in practice, written the way
// inet_ntop writes them (longest zero run compressed). Built from a fixed
// seed with no platform call, so the native and the Wine benchmark parse
// exactly the same texts.
#pragma once

#include <string>
#include <vector>

namespace bench {

constexpr int kCorpusSize = 256;

std::vector<std::string> AddressCorpusTexts(bool ipv6);

// The same texts with a port: "a.b.c.d:port", "[v6]:port".
std::vector<std::string> WithPorts(const std::vector<std::string>& texts, bool ipv6);

}  // namespace bench
