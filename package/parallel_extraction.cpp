// Unpacking a whole package on every core. The central directory is walked once, on the
// calling thread: names, refusals, sizes, the position of every entry, and the folders
// the entries need, which are made before any worker starts. Then the worker pool takes
// the entries in directory order; each entry is read through one of the archive handles
// (one per worker, so no two entries share one), reached by its position and written
// once, into a file made by name in a folder held open. A failing entry stops the pool
// from taking more; the ones in hand are finished, so every entry before the first
// failure is known, and what the others wrote is taken away again: the destination holds
// what one entry after another would have left.
#include <algorithm>
#include <map>
#include <mutex>
#include <set>
#include <vector>

#include <unzip.h>

#include "package/archive_stream.h"
#include "package/entry_name.h"
#include "package/package_archive.h"
#include "platform/file_system.h"
#include "platform/path.h"
#include "platform/system_error.h"
#include "platform/worker_pool.h"

namespace vantrel {
namespace {

// A package with more folders than this is unpacked one entry after another: every
// folder is held open while the workers run, and descriptors are limited.
constexpr std::size_t kMaxOpenFolders = 256;
// The pieces an entry moves in. Entries of the club's packages are mostly smaller, so
// most files are written with a single call.
constexpr std::size_t kPackedPiece = 256 * 1024;
constexpr std::size_t kUnpackedPiece = 1024 * 1024;

struct PlannedFolder {
  std::string name;
  std::size_t parent = 0;
  std::unique_ptr<platform::Folder> handle;
  bool keep = false;  // still needed after a failure
  // The first entry in directory order inside it, at any depth: folders are planned in
  // the order entries first need them, so every later folder is first needed no sooner.
  std::size_t firstEntry = 0;
};

struct PlannedEntry {
  std::string name;  // as messages show it
  ZPOS64_T position = 0;
  EntryData data;
  std::optional<platform::FileTime> time;
  std::size_t folder = 0;
  std::string fileName;
};

struct Plan {
  std::vector<PlannedFolder> folders;  // [0] is the destination; parents before children
  std::vector<PlannedEntry> entries;   // files only, in directory order
  // The first entry that cannot be extracted at all, as an index into `entries` (the
  // entries before it still are), and why.
  std::optional<std::size_t> refusedAt;
  platform::Failure refusal;
};

struct ArchiveHandle {
  void operator()(unzFile zip) const { unzClose(zip); }
};
using Archive = std::unique_ptr<void, ArchiveHandle>;

// True when the folder holds nothing: its entries are all new, and can be made by name
// without looking for one that differs in letter case alone.
bool IsEmptyFolder(const std::string& folder) {
  const platform::SavedFailure before;
  const std::vector<platform::FoundEntry> found = platform::Files().Find(folder + "\\*.*");
  before.Restore();
  return std::all_of(found.begin(), found.end(),
                     [](const platform::FoundEntry& e) { return e.name == "." || e.name == ".."; });
}

std::vector<std::string> Components(const std::string& name) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t separator = name.find('\\', start);
    parts.push_back(name.substr(start, separator - start));
    if (separator == std::string::npos) return parts;
    start = separator + 1;
  }
}

// An archive handle and the buffers an entry moves through: one set per worker.
struct Reader {
  Archive archive;
  std::unique_ptr<platform::File> package;
  EntryBuffers buffers{kPackedPiece, kUnpackedPiece};
};

// The readers not in use. A job takes one for its entry and gives it back: as many jobs
// run at once as there are workers, so one is always free.
class ReaderShelf {
 public:
  explicit ReaderShelf(std::vector<Reader>& readers) {
    for (Reader& reader : readers) free_.push_back(&reader);
  }
  Reader& Take() {
    const std::lock_guard<std::mutex> hold(lock_);
    Reader* reader = free_.back();
    free_.pop_back();
    return *reader;
  }
  void Give(Reader& reader) {
    const std::lock_guard<std::mutex> hold(lock_);
    free_.push_back(&reader);
  }

 private:
  std::mutex lock_;
  std::vector<Reader*> free_;
};

// Writes one planned entry; empty when it was written whole with its time.
std::optional<platform::SystemError> WriteEntry(Reader& reader, const Plan& plan,
                                                const PlannedEntry& entry) {
  platform::ClearLastFailure();
  if (unzSetOffset64(reader.archive.get(), entry.position) != UNZ_OK) {
    return platform::MakeError(platform::ErrorCode::Damaged,
                               "an entry of the directory cannot be read");
  }
  platform::Folder& folder = *plan.folders[entry.folder].handle;
  std::optional<EntryDataProblem> problem;
  {
    const std::unique_ptr<platform::File> output = folder.CreateNewFile(entry.fileName);
    if (!output) return platform::LastCause("the file cannot be created");
    problem = ReadEntryData(
        reader.archive.get(), entry.data, reader.buffers,
        [&](std::string_view piece) { return output->Write(piece.data(), piece.size()); });
    if (problem && problem->kind == EntryDataProblem::Kind::NotWritten) {
      problem->cause = platform::LastCause("the file cannot be written");
    }
    // The time goes on through the handle that wrote the file; its result does not
    // matter, as for an entry written on its own.
    if (!problem && entry.time) {
      platform::FileTimes times;
      times.creation = entry.time;
      times.lastWrite = entry.time;
      output->SetTimes(times);
    }
  }
  if (!problem) return std::nullopt;
  // Nothing of an entry that failed stays.
  folder.DeleteFile(entry.fileName);
  return problem->cause;
}

}  // namespace

std::optional<bool> PackageArchive::ExtractInParallel(const std::string& destination,
                                                      bool dropFolders) {
  if (!IsEmptyFolder(destination)) return std::nullopt;

  // The directory, walked once. Names are compared as Windows compares them: two that
  // differ in letter case alone are one file there, which one entry after another gets
  // right and workers side by side would not.
  Plan plan;
  plan.folders.push_back(PlannedFolder{});
  std::map<std::string, std::size_t> folderIndex;  // folded path to index
  std::set<std::string> fileNames;                 // folded paths
  const Directory& directory = ReadDirectory();
  const auto refuse = [&](std::string name, platform::SystemError cause) {
    plan.refusedAt = plan.entries.size();
    plan.refusal = platform::Failure{std::move(name), std::move(cause)};
  };
  for (const DirectoryEntry& listed : directory.entries) {
    const PackageEntryInfo& info = listed.info;
    if (info.isFolder) continue;
    if (!IsSafeEntryName(info.name)) {
      refuse(info.name, platform::MakeError(platform::ErrorCode::Other,
                                            "the name would place it outside the folder"));
      break;
    }
    std::vector<std::string> parts = Components(info.name);
    if (dropFolders) parts.erase(parts.begin(), parts.end() - 1);
    std::string outputPath = destination;
    if (outputPath.back() != '\\' && outputPath.back() != '/') outputPath += '\\';
    outputPath += dropFolders ? parts.back() : info.name;
    if (!platform::PathFitsLimit(outputPath)) {
      refuse(info.name, platform::MakeError(platform::ErrorCode::NameTooLong,
                                            "the name is longer than a path may be (" +
                                                std::to_string(platform::kMaxPathLength) +
                                                " characters)"));
      break;
    }
    if (auto refused = RefusedEntryData(info.data())) {
      refuse(info.name, refused->cause);
      break;
    }
    PlannedEntry entry;
    std::string folded;
    for (std::size_t i = 0; i < parts.size(); ++i) {
      // Names the system would read otherwise (empty, "."): one entry after another.
      if (parts[i].empty() || parts[i] == ".") return std::nullopt;
      folded += '\\';
      folded += platform::FoldCase(parts[i]);
      if (i + 1 == parts.size()) break;
      if (fileNames.count(folded) != 0) return std::nullopt;
      const auto [found, added] = folderIndex.emplace(folded, plan.folders.size());
      if (added) {
        plan.folders.push_back(
            PlannedFolder{parts[i], entry.folder, nullptr, false, plan.entries.size()});
      }
      entry.folder = found->second;
    }
    if (folderIndex.count(folded) != 0 || !fileNames.insert(folded).second) return std::nullopt;
    if (plan.folders.size() > kMaxOpenFolders) return std::nullopt;
    entry.name = info.name;
    entry.position = listed.position;
    entry.data = info.data();
    // Converted here, on one thread: the conversion keeps its last answer.
    entry.time = platform::LocalDosDateTimeToFileTime(info.dosDateTime);
    entry.fileName = std::move(parts.back());
    plan.entries.push_back(std::move(entry));
  }
  if (!plan.refusedAt && !directory.readWhole) {
    refuse({}, platform::MakeError(platform::ErrorCode::Damaged,
                                   "an entry of the directory cannot be read"));
  }

  // One handle per worker, opened here: opening finds the package by its path, which is
  // this thread's business.
  const std::size_t jobs = std::max<std::size_t>(plan.entries.size(), 1);
  const auto workers = static_cast<unsigned>(std::min<std::size_t>(platform::WorkerCount(), jobs));
  std::vector<Reader> readers(workers);
  zlib_filefunc64_def functions = ArchiveStreamFunctions();
  for (Reader& reader : readers) {
    reader.archive.reset(unzOpen2_64(path_.c_str(), &functions));
    reader.package = platform::Files().Open(path_, platform::OpenMode::Read);
    if (!reader.archive || !reader.package) return std::nullopt;
    reader.buffers.package = reader.package.get();
  }

  // The folders, parents first. One that cannot be made fails the first entry that
  // needs it, as it would have failed one entry after another; the folders after it are
  // not made, and no entry before it needs them.
  plan.folders[0].handle = platform::Files().OpenFolder(destination);
  if (!plan.folders[0].handle) return std::nullopt;
  plan.folders[0].keep = true;
  std::size_t limit = plan.refusedAt.value_or(plan.entries.size());
  for (std::size_t i = 1; i < plan.folders.size(); ++i) {
    PlannedFolder& folder = plan.folders[i];
    folder.handle = plan.folders[folder.parent].handle->CreateFolder(folder.name);
    if (folder.handle) continue;
    if (folder.firstEntry < limit) {
      plan.refusedAt = limit = folder.firstEntry;
      plan.refusal = platform::Failure{plan.entries[folder.firstEntry].name,
                                       platform::LastCause("its folder cannot be created")};
    }
    break;
  }

  ReaderShelf shelf(readers);
  std::vector<platform::SystemError> causes(limit);
  const platform::JobsRun run = platform::RunJobs(
      limit,
      [&](std::size_t at) {
        Reader& reader = shelf.Take();
        std::optional<platform::SystemError> cause = WriteEntry(reader, plan, plan.entries[at]);
        shelf.Give(reader);
        if (cause) causes[at] = std::move(*cause);
        return !cause;
      },
      {}, workers);

  // The first failure in directory order: every entry before it ran, and succeeded.
  std::optional<std::size_t> failedAt = plan.refusedAt;
  platform::Failure failure = plan.refusal;
  if (run.firstFailure) {
    failedAt = run.firstFailure;
    failure = platform::Failure{plan.entries[*run.firstFailure].name,
                                std::move(causes[*run.firstFailure])};
  }
  if (!failedAt) return true;

  // Take away what the entries after the failing one wrote, and the folders that only
  // they needed (the failing entry's own stay, as its folder was made before it failed).
  const std::size_t keepThrough = plan.refusedAt == failedAt ? *failedAt : *failedAt + 1;
  for (std::size_t i = 0; i < plan.entries.size(); ++i) {
    const PlannedEntry& entry = plan.entries[i];
    if (i < keepThrough) {
      for (std::size_t f = entry.folder; !plan.folders[f].keep; f = plan.folders[f].parent) {
        plan.folders[f].keep = true;
      }
    } else if (i < run.outcomes.size() && run.outcomes[i] == platform::JobOutcome::Succeeded) {
      plan.folders[entry.folder].handle->DeleteFile(entry.fileName);
    }
  }
  for (std::size_t i = plan.folders.size(); i-- > 1;) {
    const PlannedFolder& folder = plan.folders[i];
    if (!folder.keep && folder.handle) {
      plan.folders[folder.parent].handle->RemoveFolder(folder.name);
    }
  }
  failure_ = std::move(failure);
  return false;
}

}  // namespace vantrel
