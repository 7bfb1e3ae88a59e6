#include "core/app/unix_command_line.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <charconv>
#include <limits>

#include "core/app/document_file.h"
#include "core/app/option_suggestion.h"
#include "core/app/unix_options.h"
#include "core/filters/find_no_case.h"

namespace quor {
namespace {

// What a flag holds when it was written without "=VALUE"; no user types it.
constexpr std::string_view kNoValue = "\x1f";

// The whole of `text` as a number of at least `least`.
// CLI11 puts the option's name before the message.
std::int32_t NumberOf(const std::string& text, std::int32_t least) {
  std::int32_t number = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, number);
  if (error != std::errc() || stop != end || number < least) {
    throw CLI::ValidationError("braucht eine ganze Zahl ab " +
                               std::to_string(least) + ", nicht \"" + text +
                               "\"");
  }
  return number;
}

// The step that `option` makes with `value` (kNoValue when none was given).
FilterStep StepOf(const FilterOption& option, const std::string& value) {
  const std::string name = "--" + std::string(option.name);
  FilterStep step{FilterOf(option), {}, {}};
  const bool given = value != kNoValue;
  switch (option.parameter) {
    case OptionParameter::kNone:
      break;
    case OptionParameter::kOptionalNumber:
      // A width below one would leave no room for a character; a minimum
      // length of 0 keeps every word.
      if (given) {
        step.number = NumberOf(value, option.name == "wrap" ? 1 : 0);
      }
      break;
    case OptionParameter::kNumber:
      // A run of one character is in every word; the buttons refuse it.
      step.number = NumberOf(value, 2);
      if (*step.number <= 3) {
        step.filter = CatalogueEntry(*step.number == 2 ? "-F210" : "-F211");
      }
      break;
    case OptionParameter::kOptionalFile:
    case OptionParameter::kOptionalText:
      if (given) step.text = value;
      break;
  }
  return step;
}

void AddFilterOptions(CLI::App& cli, std::vector<FilterStep>& steps) {
  for (const FilterOption& option : FilterOptions()) {
    const std::string name = "--" + std::string(option.name);
    // Each written occurrence becomes a step at once, so the steps keep
    // the order of the command line.
    const auto add_step = [&steps, &option](const std::string& value) {
      steps.push_back(StepOf(option, value));
    };
    CLI::Option* added = nullptr;
    if (option.parameter == OptionParameter::kNumber) {
      added = cli.add_option(name)->expected(1);
    } else if (option.parameter == OptionParameter::kNone) {
      added = cli.add_flag(name)->disable_flag_override();
    } else {
      added = cli.add_flag(name + "{" + std::string(kNoValue) + "}");
    }
    added->trigger_on_parse()
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
        ->each(add_step);
  }
  // "-F208" is the short option F with the value 208.
  cli.add_option("-F")
      ->trigger_on_parse()
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
      ->each([&steps](const std::string& number) {
        const FilterEntry* filter = CatalogueEntry("-F" + number);
        if (filter == nullptr) {
          throw CLI::ValidationError("-F" + number + " ist kein Filter");
        }
        steps.push_back(FilterStep{filter, {}, {}});
      });
}

// The parse into `parsed`, or CLI11's exception.
void Parse(const std::vector<std::string>& arguments, UnixCommandLine& parsed) {
  CLI::App cli("quorfilter");
  cli.set_help_flag();
  AddFilterOptions(cli, parsed.steps);
  cli.add_flag("-h,--help", parsed.help);
  cli.add_flag("--version", parsed.version);
  CLI::Option* in_place = cli.add_flag("-i,--in-place");
  CLI::Option* check = cli.add_flag("--check")->excludes(in_place);
  CLI::Option* output =
      cli.add_option("-o,--output", parsed.output)->excludes(in_place, check);
  std::string encoding;
  cli.add_option("--encoding", encoding)
      ->check(CLI::IsMember({"auto", "ansi", "utf-8"}, CLI::ignore_case));
  cli.add_option("-j,--jobs", parsed.jobs)->check(CLI::Range(1U, 4096U));
  cli.add_option("FILE", parsed.files);
  std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
  cli.parse(reversed);
  if (!encoding.empty()) parsed.encoding = ParseCharacterSet(encoding);
  if (*in_place) parsed.destination = Destination::kInPlace;
  if (*check) parsed.destination = Destination::kCheck;
  // "-o -" is standard output, as for other tools.
  if (*output && parsed.output != "-") {
    parsed.destination = Destination::kOutputFile;
  }
}

// What is wrong with a parsed command line that CLI11 cannot tell; empty
// when nothing is.
std::string Misuse(const UnixCommandLine& parsed) {
  const bool reads_input = std::find(parsed.files.begin(), parsed.files.end(),
                                     "-") != parsed.files.end();
  if (parsed.destination == Destination::kInPlace && reads_input) {
    return "--in-place: die Standardeingabe kann nicht zurückgeschrieben "
           "werden; Dateien nennen.";
  }
  if (parsed.destination == Destination::kOutputFile &&
      parsed.files.size() > 1) {
    return "--output: nur eine Eingabe erlaubt.";
  }
  return {};
}

// The long options, without their dashes.
std::vector<std::string_view> LongOptionNames() {
  std::vector<std::string_view> names = {
      "help", "version", "in-place", "check", "output", "encoding", "jobs"};
  for (const FilterOption& option : FilterOptions()) {
    names.push_back(option.name);
  }
  return names;
}

std::string UsageMessage(const std::string& what, std::string_view hint) {
  std::string message = "quorfilter: " + what + "\n";
  if (!hint.empty()) {
    message += "quorfilter: Meinten Sie " + std::string(hint) + "?\n";
  }
  message += "Mehr mit: quorfilter --help\n";
  return message;
}

}  // namespace

bool IsCompatibleCommandLine(const std::vector<std::string>& arguments) {
  if (arguments.size() == 1 &&
      (arguments[0] == "--help" || arguments[0] == "--version")) {
    return true;
  }
  const auto holds_document = [](const std::string& argument) {
    return FindNoCase(argument, "-d:") != std::string_view::npos;
  };
  const auto is_option = [](const std::string& argument) {
    return argument.starts_with('-');
  };
  return std::any_of(arguments.begin(), arguments.end(), holds_document) ||
         std::none_of(arguments.begin(), arguments.end(), is_option);
}

ParsedUnixCommandLine ParseUnixCommandLine(
    const std::vector<std::string>& arguments) {
  UnixCommandLine parsed;
  try {
    Parse(arguments, parsed);
  } catch (const CLI::ExtrasError& error) {
    return {std::nullopt,
            {UsageMessage(error.what(),
                          NearestOption(arguments, LongOptionNames()))}};
  } catch (const CLI::ParseError& error) {
    return {std::nullopt, {UsageMessage(error.what(), {})}};
  }
  if (parsed.files.empty()) parsed.files.emplace_back("-");
  if (const std::string misuse = Misuse(parsed); !misuse.empty()) {
    return {std::nullopt, {UsageMessage(misuse, {})}};
  }
  return {std::move(parsed), {}};
}

}  // namespace quor
