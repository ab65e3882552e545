#include "options.h"

#include <algorithm>
#include <array>
#include <string_view>

#include <zlib.h>

#include "names.h"
#include "version.h"

namespace gz {
namespace {

enum class Arg { None, Required };

// Options without a short letter get codes above any character.
enum : int { kPresumeTty = 256, kRsyncable, kSynchronous };

struct LongOption {
  std::string_view name;
  Arg arg;
  int code;
};

// GNU gzip's table, in its order: abbreviations and the list of candidates
// for an ambiguous one depend on it. Laid out by hand, three to a line.
// clang-format off
constexpr std::array<LongOption, 26> kLongOptions = {{
    {"ascii", Arg::None, 'a'},       {"to-stdout", Arg::None, 'c'},     {"stdout", Arg::None, 'c'},
    {"decompress", Arg::None, 'd'},  {"uncompress", Arg::None, 'd'},    {"force", Arg::None, 'f'},
    {"help", Arg::None, 'h'},        {"keep", Arg::None, 'k'},          {"list", Arg::None, 'l'},
    {"license", Arg::None, 'L'},     {"no-name", Arg::None, 'n'},       {"name", Arg::None, 'N'},
    {"-presume-input-tty", Arg::None, kPresumeTty},                     {"quiet", Arg::None, 'q'},
    {"silent", Arg::None, 'q'},      {"synchronous", Arg::None, kSynchronous},
    {"recursive", Arg::None, 'r'},   {"suffix", Arg::Required, 'S'},    {"test", Arg::None, 't'},
    {"verbose", Arg::None, 'v'},     {"version", Arg::None, 'V'},       {"fast", Arg::None, '1'},
    {"best", Arg::None, '9'},        {"lzw", Arg::None, 'Z'},           {"bits", Arg::Required, 'b'},
    {"rsyncable", Arg::None, kRsyncable},
}};
// clang-format on

constexpr std::string_view kShortOptions = "ab:cdfhH?klLmMnNqrS:tvVZ123456789";

// One option as getopt_long reports it.
struct Parsed {
  int code = 0;
  std::string argument;
  std::string spelled;  // "-x" or "--name", for messages about it
};

class Failure {
 public:
  std::string text;
};

// Walks an argument list the way getopt_long does, one option at a time.
class OptionScanner {
 public:
  OptionScanner(const std::string& program, const std::vector<std::string>& arguments, bool posixly_correct)
      : program_(program), arguments_(arguments), posixly_correct_(posixly_correct) {}

  // The next option, or nothing once all are read. Throws Failure.
  std::optional<Parsed> Next() {
    if (cluster_.empty()) {
      while (index_ < arguments_.size()) {
        const std::string& argument = arguments_[index_++];
        if (argument == "--") {
          operands_.insert(operands_.end(), arguments_.begin() + static_cast<std::ptrdiff_t>(index_), arguments_.end());
          index_ = arguments_.size();
          return std::nullopt;
        }
        if (argument.size() < 2 || argument[0] != '-') {
          operands_.push_back(argument);
          if (posixly_correct_) {
            operands_.insert(operands_.end(), arguments_.begin() + static_cast<std::ptrdiff_t>(index_),
                             arguments_.end());
            index_ = arguments_.size();
          }
          continue;
        }
        if (argument[1] == '-') return ReadLongOption(argument.substr(2));
        cluster_ = argument.substr(1);
        break;
      }
      if (cluster_.empty()) return std::nullopt;
    }
    return ReadShortOption();
  }

  const std::vector<std::string>& Operands() const { return operands_; }

 private:
  [[noreturn]] void Fail(const std::string& text) {
    throw Failure{program_ + ": " + text + "\nTry `" + program_ + " --help' for more information.\n"};
  }

  Parsed ReadShortOption() {
    const char letter = cluster_.front();
    cluster_.erase(0, 1);
    const std::size_t at = kShortOptions.find(letter);
    if (at == std::string_view::npos || letter == ':') Fail(std::string("invalid option -- '") + letter + "'");
    Parsed parsed{static_cast<unsigned char>(letter), {}, std::string("-") + letter};
    if (at + 1 < kShortOptions.size() && kShortOptions[at + 1] == ':') {
      if (!cluster_.empty()) {
        parsed.argument = cluster_;
        cluster_.clear();
      } else if (index_ < arguments_.size()) {
        parsed.argument = arguments_[index_++];
      } else {
        Fail(std::string("option requires an argument -- '") + letter + "'");
      }
    }
    return parsed;
  }

  Parsed ReadLongOption(const std::string& text) {
    const std::size_t equals = text.find('=');
    const std::string name = text.substr(0, equals);
    const LongOption* found = nullptr;
    for (const LongOption& option : kLongOptions) {
      if (option.name == name) found = &option;
    }
    if (!found) {
      std::vector<const LongOption*> matches;
      bool ambiguous = false;
      for (const LongOption& option : kLongOptions) {
        if (!option.name.starts_with(name)) continue;
        if (!matches.empty() && (option.arg != matches.front()->arg || option.code != matches.front()->code))
          ambiguous = true;
        matches.push_back(&option);
      }
      if (ambiguous) {
        // getopt lists the first match and every later one that differs
        // from it; aliases of the first (--to-stdout, --stdout) count once.
        std::string text_out = "option '--" + name + "' is ambiguous; possibilities:";
        for (const LongOption* option : matches) {
          if (option != matches.front() && option->arg == matches.front()->arg && option->code == matches.front()->code)
            continue;
          text_out += " '--" + std::string(option->name) + "'";
        }
        Fail(text_out);
      }
      if (matches.empty()) Fail("unrecognized option '--" + text + "'");
      found = matches.front();
    }
    Parsed parsed{found->code, {}, "--" + std::string(found->name)};
    if (found->arg == Arg::None) {
      if (equals != std::string::npos) Fail("option '--" + std::string(found->name) + "' doesn't allow an argument");
    } else if (equals != std::string::npos) {
      parsed.argument = text.substr(equals + 1);
    } else if (index_ < arguments_.size()) {
      parsed.argument = arguments_[index_++];
    } else {
      Fail("option '--" + std::string(found->name) + "' requires an argument");
    }
    return parsed;
  }

  const std::string& program_;
  const std::vector<std::string>& arguments_;
  bool posixly_correct_;
  std::size_t index_ = 0;
  std::string cluster_;
  std::vector<std::string> operands_;
};

bool IsLevel(int code) { return code >= '1' && code <= '9'; }

std::vector<std::string> SplitWords(const std::string& text) {
  std::vector<std::string> words;
  std::size_t at = 0;
  while ((at = text.find_first_not_of(" \t", at)) != std::string::npos) {
    const std::size_t end = text.find_first_of(" \t", at);
    words.push_back(text.substr(at, end == std::string::npos ? std::string::npos : end - at));
    at = end;
  }
  return words;
}

class Parser {
 public:
  explicit Parser(const std::string& program) : program_(program) {}

  // Only options that change how well or how verbosely gzip works may come
  // from GZIP; anything that changes what it does is refused there.
  void ReadEnvironment(const std::string& value) {
    const std::vector<std::string> words = SplitWords(value);
    if (words.empty()) return;
    if (std::find(words.begin(), words.end(), "--") != words.end())
      TryHelp(program_ + ": --: option not valid in GZIP environment variable\n");
    OptionScanner scanner(program_, words, false);
    while (const std::optional<Parsed> parsed = scanner.Next()) {
      const int code = parsed->code;
      if (code == '?') TryHelp("");
      if (!(IsLevel(code) || code == 'n' || code == 'N' || code == 'q' || code == 'v' || code == kRsyncable))
        TryHelp(program_ + ": " + parsed->spelled + ": option not valid in GZIP environment variable\n");
      Apply(*parsed);
    }
    if (!scanner.Operands().empty())
      TryHelp(program_ + ": " + scanner.Operands().front() + ": non-option in GZIP environment variable\n");
    if (!quiet_)
      result_.diagnostics += program_ + ": warning: GZIP environment variable is deprecated; use an alias or script\n";
  }

  // Returns false once an option ends the parse (help, version).
  bool ReadCommandLine(const std::vector<std::string>& arguments, bool posixly_correct) {
    OptionScanner scanner(program_, arguments, posixly_correct);
    while (const std::optional<Parsed> parsed = scanner.Next()) {
      if (!Apply(*parsed)) return false;
    }
    result_.options.operands = scanner.Operands();
    return true;
  }

  CommandLine Finish() {
    Options& options = result_.options;
    // By default the name and time are stored when compressing but not
    // restored when decompressing.
    options.no_name = no_name_.value_or(options.decompress);
    options.no_time = no_time_.value_or(options.decompress);
    options.quiet = quiet_;
    if (options.ascii && !quiet_) result_.diagnostics += program_ + ": option --ascii ignored on this system\n";
    if (options.suffix.empty() || options.suffix.size() > names::kMaxSuffix) {
      result_.diagnostics += program_ + ": invalid suffix '" + options.suffix + "'\n";
      result_.outcome = CommandLine::Outcome::Fail;
    }
    return result_;
  }

  CommandLine Stopped() const { return result_; }

  CommandLine Failed(const std::string& text) {
    result_.diagnostics += text;
    result_.outcome = CommandLine::Outcome::Fail;
    return result_;
  }

 private:
  [[noreturn]] void TryHelp(const std::string& text) {
    throw Failure{text + "Try `" + program_ + " --help' for more information.\n"};
  }

  bool Apply(const Parsed& parsed) {
    Options& options = result_.options;
    switch (parsed.code) {
      case 'a': options.ascii = true; break;
      case 'b':
        // Only meaningful for the LZW format, which is not written here;
        // the value is still checked like GNU gzip checks it.
        if (parsed.argument.find_first_not_of("0123456789") != std::string::npos)
          TryHelp(program_ + ": -b operand is not an integer\n");
        break;
      case 'c': options.to_stdout = true; break;
      case 'd': options.decompress = true; break;
      case 'f': ++options.force; break;
      case 'h':
      case 'H': result_.outcome = CommandLine::Outcome::Help; return false;
      case 'k': options.keep = true; break;
      case 'l': options.list = options.decompress = options.to_stdout = true; break;
      case 'L':
      case 'V': result_.outcome = CommandLine::Outcome::Version; return false;
      case 'm': no_time_ = true; break;
      case 'M': no_time_ = false; break;
      case 'n': no_name_ = no_time_ = true; break;
      case 'N': no_name_ = no_time_ = false; break;
      case 'q':
        quiet_ = true;
        options.verbose = 0;
        break;
      case 'r': options.recursive = true; break;
      case 'S': options.suffix = parsed.argument; break;
      case 't': options.test = options.decompress = options.to_stdout = true; break;
      case 'v':
        ++options.verbose;
        quiet_ = false;
        break;
      case 'Z': TryHelp(program_ + ": -Z not supported in this version\n");
      case kPresumeTty: options.presume_input_tty = true; break;
      // Output is always flushed to disk before it replaces anything, and
      // rsync-friendly blocks would change nothing a reader can see.
      case kSynchronous:
      case kRsyncable: break;
      default:
        if (IsLevel(parsed.code)) {
          options.level = parsed.code - '0';
          break;
        }
        TryHelp("");  // '-?'
    }
    return true;
  }

  const std::string& program_;
  CommandLine result_;
  bool quiet_ = false;
  std::optional<bool> no_name_;
  std::optional<bool> no_time_;
};

}  // namespace

CommandLine ParseCommandLine(const std::string& program, const std::vector<std::string>& arguments,
                             const std::optional<std::string>& environment_options, bool posixly_correct) {
  Parser parser(program);
  try {
    if (environment_options) parser.ReadEnvironment(*environment_options);
    if (!parser.ReadCommandLine(arguments, posixly_correct)) return parser.Stopped();
  } catch (const Failure& failure) {
    return parser.Failed(failure.text);
  }
  return parser.Finish();
}

std::string HelpText(const std::string& program) {
  return "Usage: " + program +
         " [OPTION]... [FILE]...\n"
         "Compress or uncompress FILEs (by default, compress FILES in-place).\n"
         "\n"
         "Mandatory arguments to long options are mandatory for short options too.\n"
         "\n"
         "  -c, --stdout      write on standard output, keep original files unchanged\n"
         "  -d, --decompress  decompress\n"
         "  -f, --force       force overwrite of output file and compress links\n"
         "  -h, --help        give this help\n"
         "  -k, --keep        keep (don't delete) input files\n"
         "  -l, --list        list compressed file contents\n"
         "  -n, --no-name     do not save or restore the original name and timestamp\n"
         "  -N, --name        save or restore the original name and timestamp\n"
         "  -q, --quiet       suppress all warnings\n"
         "  -r, --recursive   operate recursively on directories\n"
         "  -S, --suffix=SUF  use suffix SUF on compressed files\n"
         "  -t, --test        test compressed file integrity\n"
         "  -v, --verbose     verbose mode\n"
         "  -V, --version     display version number\n"
         "  -1, --fast        compress faster\n"
         "  -9, --best        compress better\n"
         "\n"
         "With no FILE, or when FILE is -, read standard input.\n"
         "Output is written to a temporary file and renamed into place when complete.\n";
}

std::string VersionText() {
  return std::string("gzip (Stavrel) " STAVREL_VERSION_TEXT
                     "\n"
                     "Command lines, names and messages as GNU gzip 1.12; compression by zlib ") +
         zlibVersion() + ".\n";
}

}  // namespace gz
