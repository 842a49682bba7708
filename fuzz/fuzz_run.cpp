#include "fuzz/fuzz_run.h"

#include <sanitizer/allocator_interface.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

#include "model/model.h"
#include "model/project_reader.h"
#include "nastran/bulk_data_writer.h"
#include "patran/neutral_file_writer.h"

namespace fuzz {
namespace {

// Bounds that no input of up to 64 KiB may break.
constexpr std::size_t kHeapLimit = 256u << 20;
constexpr std::size_t kOutputLimit = 8u << 20;
// Output allowed per load record beyond kOutputLimit: a distributed load
// record may write up to 26 PLOAD1 cards or a packet of nine lines.
constexpr std::size_t kOutputPerRecord = 4096;
// Heap allowed per load record beyond kHeapLimit: the record, its copy for
// the deck writer and the reader's working entry.
constexpr std::size_t kHeapPerRecord = 3 * sizeof(DistributedLoadRecord);
// Records that definitions may take beyond their lists' entries.
constexpr std::size_t kRecordAllowance = 2 * 1024;

std::string ScratchFolder;
std::size_t HeapInUse = 0;
std::size_t HeapPeak = 0;

void CountMalloc(const volatile void* pointer, std::size_t size) {
  if (pointer == nullptr) return;
  HeapInUse += size;
  if (HeapInUse > HeapPeak) HeapPeak = HeapInUse;
}

void CountFree(const volatile void* pointer) {
  if (pointer == nullptr) return;
  const std::size_t size = __sanitizer_get_allocated_size(const_cast<const void*>(pointer));
  HeapInUse = size <= HeapInUse ? HeapInUse - size : 0;
}

std::size_t FileSize(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 ? static_cast<std::size_t>(info.st_size) : 0;
}

void Breach(const char* what, std::size_t value, std::size_t limit) {
  std::fprintf(stderr, "bound broken: %s %zu > %zu\n", what, value, limit);
  std::abort();
}

void Check(const char* what, std::size_t value, std::size_t limit) {
  if (value > limit) Breach(what, value, limit);
}

}  // namespace

void Setup() {
  if (!ScratchFolder.empty()) return;
  // Memory-backed where there is such a folder: each run writes four files.
  struct stat info {};
  std::string pattern = stat("/dev/shm", &info) == 0 && S_ISDIR(info.st_mode) ? "/dev/shm" : "/tmp";
  pattern += "/femfuzzXXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) std::abort();
  ScratchFolder = pattern;
  if (std::freopen("/dev/null", "w", stdout) == nullptr) std::abort();
  __sanitizer_install_malloc_and_free_hooks(CountMalloc, CountFree);
  std::atexit([] {
    for (const char* name : {"job.fes", "job.lqd", "job.bdf", "job.nf"}) std::remove(ScratchPath(name).c_str());
    rmdir(ScratchFolder.c_str());
  });
}

std::string ScratchPath(const std::string& name) { return ScratchFolder + "/" + name; }

void WriteScratchFile(const std::string& name, const uint8_t* data, std::size_t size) {
  std::ofstream file(ScratchPath(name), std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  if (!file) std::abort();
}

std::size_t CopyToScratch(const std::string& source, const std::string& name) {
  std::ifstream file(source, std::ios::binary);
  const std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  WriteScratchFile(name, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  return bytes.size();
}

void RunProject(std::size_t lqdBytes) {
  const std::size_t heapBefore = HeapInUse;
  HeapPeak = HeapInUse;
  std::size_t records = 0;
  {
    Model model;
    Console console;
    if (ProjectReader(ScratchPath("job"), model, console) == 0) {
      // Records come from list entries (4 bytes each, shared by a small
      // allowance) or from node sets (definitions x elements x 6 faces).
      const std::size_t words = lqdBytes / 4;
      Check("node load records", model.nodeLoads.size(), words + kRecordAllowance);
      const std::size_t definitions = words / 17;
      Check("distributed load records", model.distributedLoads.size(),
            words + kRecordAllowance + definitions * model.elements.size() * 6);
      records = model.nodeLoads.size() + model.distributedLoads.size();

      Model deckModel = model;  // the deck writer changes the model it writes
      std::string deck = ScratchPath("job.bdf");
      std::string title = "job";
      BulkDataWriter(deck, deckModel, title, 0, 0, 1, console);
      std::string neutral = ScratchPath("job.nf");
      title = "job";
      NeutralFileWriter(neutral, model, title, 0, 0, console);
    }
  }
  Check("heap bytes in use at once", HeapPeak - heapBefore, kHeapLimit + kHeapPerRecord * records);
  const std::size_t outputLimit = kOutputLimit + kOutputPerRecord * records;
  Check("deck bytes", FileSize(ScratchPath("job.bdf")), outputLimit);
  Check("neutral file bytes", FileSize(ScratchPath("job.nf")), outputLimit);
  std::remove(ScratchPath("job.bdf").c_str());
  std::remove(ScratchPath("job.nf").c_str());
}

}  // namespace fuzz
