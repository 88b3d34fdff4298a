#include "SimConfig.h"

#include <algorithm>
#include <cstdlib>

#include "TextFiles.h"

namespace simdrive {
namespace {

constexpr int kMaxAdapters = 16;
constexpr int kMaxTargets = 16;
constexpr int kMaxLuns = 8;

std::optional<unsigned> ParseReadCommands(std::string_view value) {
  unsigned bits = 0;
  for (const std::string& word : SplitWords(ToLower(value))) {
    if (word == "readcd") bits |= kReadCd;
    else if (word == "d4") bits |= kReadD4;
    else if (word == "d8") bits |= kReadD8;
    else if (word == "read10") bits |= kRead10;
    else if (word != "none") return std::nullopt;
  }
  return bits;
}

// "first-last" with an optional "xN" word after it.
std::optional<FrameRange> ParseFrameRange(std::string_view value) {
  const std::vector<std::string> words = SplitWords(value);
  if (words.empty() || words.size() > 2) return std::nullopt;
  const auto dash = words[0].find('-');
  FrameRange range;
  const auto first = ParseInteger(std::string_view(words[0]).substr(0, dash), 0, 0x7FFFFFFF);
  const auto last = dash == std::string::npos ? first : ParseInteger(std::string_view(words[0]).substr(dash + 1), 0, 0x7FFFFFFF);
  if (!first || !last || *last < *first) return std::nullopt;
  range.first = static_cast<std::int32_t>(*first);
  range.last = static_cast<std::int32_t>(*last);
  if (words.size() == 2) {
    const auto times = words[1].size() > 1 && (words[1][0] == 'x' || words[1][0] == 'X')
                           ? ParseInteger(std::string_view(words[1]).substr(1), 1, 1000000)
                           : std::nullopt;
    if (!times) return std::nullopt;
    range.failures = static_cast<int>(*times);
  }
  return range;
}

std::optional<CommandRange> ParseCommandRange(std::string_view value) {
  const auto dash = value.find('-');
  const auto first = ParseInteger(Trim(value.substr(0, dash)), 1, 1LL << 62);
  const auto last = dash == std::string_view::npos ? first : ParseInteger(Trim(value.substr(dash + 1)), 1, 1LL << 62);
  if (!first || !last || *last < *first) return std::nullopt;
  return CommandRange{static_cast<std::uint64_t>(*first), static_cast<std::uint64_t>(*last)};
}

std::optional<std::vector<int>> ParseJitter(std::string_view value) {
  std::vector<int> offsets;
  std::string text(value);
  std::replace(text.begin(), text.end(), ',', ' ');
  for (const std::string& word : SplitWords(text)) {
    const auto offset = ParseInteger(word, -1000, 1000);
    if (!offset) return std::nullopt;
    offsets.push_back(static_cast<int>(*offset));
  }
  if (offsets.empty()) return std::nullopt;
  return offsets;
}

std::optional<std::vector<std::uint8_t>> ParseOpcodes(std::string_view value) {
  std::vector<std::uint8_t> opcodes;
  for (const std::string& word : SplitWords(value)) {
    unsigned long opcode = 0;
    char* end = nullptr;
    opcode = std::strtoul(word.c_str(), &end, 16);
    if (word.empty() || *end != '\0' || opcode > 0xFF) return std::nullopt;
    opcodes.push_back(static_cast<std::uint8_t>(opcode));
  }
  return opcodes;
}

std::string TruncateField(std::string_view value, std::size_t size) {
  return std::string(value.substr(0, size));
}

class ConfigParser {
 public:
  ConfigParser(const std::string& folder, TextError& error) : folder_(folder), error_(error) {}

  std::optional<SimConfig> Parse(std::string_view text) {
    const auto entries = ParseIniText(text, error_);
    if (!entries) return std::nullopt;
    for (const IniEntry& entry : *entries) {
      line_ = entry.line;
      const bool ok = entry.isSection ? Section(entry.name) : Key(entry.name, entry.value);
      if (!ok) return std::nullopt;
    }
    line_ = 0;
    if (!Check()) return std::nullopt;
    return std::move(config_);
  }

 private:
  enum class Place { Global, Adapter, Drive, Disc };

  bool Fail(std::string message) {
    error_ = {line_, std::move(message)};
    return false;
  }

  bool Section(const std::string& header) {
    const auto space = header.find_first_of(" \t");
    const std::string kind = ToLower(header.substr(0, space));
    const std::string name(space == std::string::npos ? std::string_view() : Trim(std::string_view(header).substr(space)));
    if (kind == "adapter") {
      const auto number = ParseInteger(name, 0, kMaxAdapters - 1);
      if (!number) return Fail("an adapter section is \"[adapter N]\" with N from 0 to 15");
      if (config_.adapters.size() <= std::size_t(*number)) config_.adapters.resize(std::size_t(*number) + 1);
      adapter_ = static_cast<int>(*number);
      place_ = Place::Adapter;
    } else if (kind == "drive") {
      const auto address = ParseAddress(name);
      if (!address) return Fail("a drive section is \"[drive adapter:target:lun]\"");
      for (const DriveSetup& drive : config_.drives) {
        if (drive.address == *address) return Fail("drive " + name + " is described twice");
      }
      config_.drives.emplace_back().address = *address;
      place_ = Place::Drive;
    } else if (kind == "disc") {
      if (name.empty() || name.find_first_of(" \t") != std::string::npos || ToLower(name) == "none")
        return Fail("a disc section is \"[disc NAME]\" with a one-word name other than none");
      if (config_.discs.count(name) != 0) return Fail("disc \"" + name + "\" is described twice");
      disc_ = std::make_shared<Disc>();
      disc_->name = name;
      config_.discs[name] = disc_;
      place_ = Place::Disc;
    } else {
      return Fail("unknown section \"[" + header + "]\" (adapter, drive or disc)");
    }
    return true;
  }

  bool Key(const std::string& key, const std::string& value) {
    switch (place_) {
      case Place::Global: return GlobalKey(key, value);
      case Place::Adapter: return AdapterKey(config_.adapters[std::size_t(adapter_)], key, value);
      case Place::Drive: return DriveKey(config_.drives.back(), key, value);
      case Place::Disc: return DiscKey(key, value);
    }
    return false;
  }

  bool GlobalKey(const std::string& key, const std::string& value) {
    if (key == "log") {
      config_.logPath = ResolvePath(folder_, value);
    } else if (key == "control") {
      config_.controlPath = ResolvePath(folder_, value);
    } else if (key == "adapters") {
      const auto count = ParseInteger(value, 0, kMaxAdapters);
      if (!count) return Fail("adapters is a number from 0 to 16");
      adapterCount_ = static_cast<int>(*count);
    } else {
      return Fail("unknown key \"" + key + "\" before the first section (log, control, adapters)");
    }
    return true;
  }

  bool AdapterKey(AdapterSpec& adapter, const std::string& key, const std::string& value) {
    if (key == "targets") {
      const auto targets = ParseInteger(value, 0, 255);
      if (!targets) return Fail("targets is a number from 0 to 255");
      adapter.targets = static_cast<int>(*targets);
    } else if (key == "inquiry") {
      const std::string answer = ToLower(value);
      if (answer != "ok" && answer != "fail") return Fail("inquiry is ok or fail");
      adapter.inquiryFails = answer == "fail";
    } else {
      return Fail("unknown adapter key \"" + key + "\" (targets, inquiry)");
    }
    return true;
  }

  bool DriveKey(DriveSetup& drive, const std::string& key, const std::string& value) {
    if (key == "type") {
      const auto type = ParseInteger(value, 0, 31);
      if (!type) return Fail("type is a peripheral device type from 0 to 31 (5 = CD-ROM)");
      drive.deviceType = static_cast<int>(*type);
    } else if (key == "vendor") {
      drive.vendor = TruncateField(value, 8);
    } else if (key == "product") {
      drive.product = TruncateField(value, 16);
    } else if (key == "revision") {
      drive.revision = TruncateField(value, 4);
    } else if (key == "reads" || key == "emptyreads") {
      const auto bits = ParseReadCommands(value);
      if (!bits) return Fail(key + " lists read commands: readcd, d4, d8, read10 (or none)");
      (key == "reads" ? drive.reads : drive.emptyReads) = *bits;
    } else if (key == "reject") {
      const auto opcodes = ParseOpcodes(value);
      if (!opcodes) return Fail("reject lists opcodes in hexadecimal, such as 52 4B");
      drive.rejected = *opcodes;
    } else if (key == "disc") {
      drive.disc = ToLower(value) == "none" ? std::string() : value;
    } else if (key == "completion") {
      const std::string mode = ToLower(value);
      if (mode == "sync") drive.completion = Completion::Sync;
      else if (mode == "pending") drive.completion = Completion::Pending;
      else if (mode == "never") drive.completion = Completion::Never;
      else return Fail("completion is sync, pending or never");
    } else if (key == "delay") {
      const auto ms = ParseInteger(value, 0, 60000);
      if (!ms) return Fail("delay is a time in milliseconds from 0 to 60000");
      drive.delayMs = static_cast<std::uint32_t>(*ms);
    } else if (key == "unreadable") {
      const auto range = ParseFrameRange(value);
      if (!range) return Fail("unreadable is \"first-last\" (LBAs) with an optional \"xN\"");
      drive.unreadable.push_back(*range);
    } else if (key == "jitter") {
      const auto offsets = ParseJitter(value);
      if (!offsets) return Fail("jitter lists frame offsets from -1000 to 1000, such as \"3\" or \"2, -1, 0\"");
      drive.jitter = *offsets;
    } else if (key == "notready") {
      const auto range = ParseCommandRange(value);
      if (!range) return Fail("notready is a command number or \"first-last\" (from 1)");
      drive.notReady.push_back(*range);
    } else if (key == "change") {
      const std::vector<std::string> words = SplitWords(value);
      const auto command = words.size() == 2 ? ParseInteger(words[0], 1, 1LL << 62) : std::nullopt;
      if (!command) return Fail("change is \"N DISC\" or \"N none\" (N = command number from 1)");
      drive.changes.push_back({static_cast<std::uint64_t>(*command), ToLower(words[1]) == "none" ? std::string() : words[1]});
    } else {
      return Fail("unknown drive key \"" + key + "\"");
    }
    return true;
  }

  bool DiscKey(const std::string& key, const std::string& value) {
    if (key != "track") return Fail("unknown disc key \"" + key + "\" (track)");
    std::string problem;
    if (!AddTrack(*disc_, value, folder_, problem)) return Fail(problem);
    return true;
  }

  bool Known(const std::string& disc) {
    return disc.empty() || config_.discs.count(disc) != 0 || Fail("there is no [disc " + disc + "]");
  }

  bool Check() {
    int needed = adapterCount_ < 0 ? static_cast<int>(config_.adapters.size()) : adapterCount_;
    for (const DriveSetup& drive : config_.drives) {
      if (adapterCount_ < 0) needed = std::max(needed, drive.address.adapter + 1);
      if (drive.address.adapter >= needed)
        return Fail("drive " + FormatAddress(drive.address) + " is on an adapter beyond adapters = " + std::to_string(needed));
      if (!Known(drive.disc)) return false;
      for (const DiscChange& change : drive.changes) {
        if (!Known(change.disc)) return false;
      }
    }
    if (static_cast<int>(config_.adapters.size()) > needed)
      return Fail("an [adapter] section lies beyond adapters = " + std::to_string(needed));
    config_.adapters.resize(std::size_t(needed));
    for (const auto& [name, disc] : config_.discs) {
      if (disc->tracks.empty()) return Fail("disc \"" + name + "\" has no tracks");
    }
    return true;
  }

  const std::string& folder_;
  TextError& error_;
  SimConfig config_;
  int line_ = 0;
  int adapterCount_ = -1;
  Place place_ = Place::Global;
  int adapter_ = 0;
  std::shared_ptr<Disc> disc_;
};

}  // namespace

std::optional<Address> ParseAddress(std::string_view text) {
  const auto first = text.find(':');
  const auto second = first == std::string_view::npos ? first : text.find(':', first + 1);
  if (second == std::string_view::npos) return std::nullopt;
  const auto adapter = ParseInteger(Trim(text.substr(0, first)), 0, kMaxAdapters - 1);
  const auto target = ParseInteger(Trim(text.substr(first + 1, second - first - 1)), 0, kMaxTargets - 1);
  const auto lun = ParseInteger(Trim(text.substr(second + 1)), 0, kMaxLuns - 1);
  if (!adapter || !target || !lun) return std::nullopt;
  return Address{static_cast<int>(*adapter), static_cast<int>(*target), static_cast<int>(*lun)};
}

std::string FormatAddress(const Address& address) {
  return std::to_string(address.adapter) + ":" + std::to_string(address.target) + ":" + std::to_string(address.lun);
}

std::shared_ptr<const Disc> SimConfig::FindDisc(const std::string& name) const {
  const auto found = discs.find(name);
  return found == discs.end() ? nullptr : found->second;
}

std::optional<SimConfig> ParseConfig(std::string_view text, const std::string& folder, TextError& error) {
  return ConfigParser(folder, error).Parse(text);
}

}  // namespace simdrive
