#include "apps/front_end.h"

#include <cstdio>
#include <exception>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "model/console.h"
#include "model/project_reader.h"

namespace {

// One whitespace-delimited word from standard input; empty at end of input.
std::string ReadWord() {
  std::string word;
  std::cin >> word;
  return word;
}

int Finish(Console& console, int exitCode) {
  console.Write("exit with input of any integer k = ? ");
  std::fflush(stdout);
  int ignored = 0;
  std::cin >> ignored;  // waits for the user; any input or its end will do
  return exitCode;
}

int Fail(Console& console, const char* formatName) {
  console.Print("\n***No %s file written\n", formatName);
  return Finish(console, 1);
}

// The conversion itself; `task` names what it is doing, for the report of an
// exception that ends it.
int Convert(const std::vector<std::string>& args, const char* formatName, ModelWriter writer, std::string& task,
            Console& console) {
  Model model;

  std::string title;
  if (args.size() > 1) {
    title = args[1];
  } else {
    console.Write("filetitel of the project ? \n");
    std::fflush(stdout);
    title = ReadWord();
  }
  if (title.size() < 2) return Fail(console, formatName);

  task = "read the project " + title;
  if (ProjectReader(title, model, console) != 0) return Fail(console, formatName);

  std::string output;
  if (args.size() > 2) {
    output = args[2];
  } else {
    console.Print("\nfiletitel %s-file ? \n", formatName);
    std::fflush(stdout);
    output = ReadWord();
  }
  if (output.size() < 2) {
    FreeModel(model);
    return Fail(console, formatName);
  }

  // The writer may rename the output path (side files); report the name given.
  std::string written = output;
  task = "write " + output;
  const int result = writer(written, model, title, console);
  FreeModel(model);
  if (result != 0) return Fail(console, formatName);

  // After a warning line that had to start a line of its own, the line end
  // that would separate this line from the text before is already written.
  console.Print(console.LineEndAddedForWarning() ? "%s file written: %s\n\n" : "\n%s file written: %s\n\n", formatName,
               output.c_str());
  return Finish(console, 0);
}

}  // namespace

// An exception (running out of memory above all) ends the run like any other
// failure, with one line naming the task it stopped; unwinding has removed an
// unfinished output file and the model by then.
int RunFrontEnd(const std::vector<std::string>& args, const char* formatName, ModelWriter writer) {
  Console console;
  std::string task = "convert the project";
  auto abandon = [&](const char* cause) {
    console.Print("\n*** cannot %s: %s\n", task.c_str(), cause);
    return Fail(console, formatName);
  };
  try {
    return Convert(args, formatName, writer, task, console);
  } catch (const std::bad_alloc&) {
    return abandon("out of memory");
  } catch (const std::exception& error) {
    return abandon(error.what());
  } catch (...) {
    return abandon("unexpected error");
  }
}
