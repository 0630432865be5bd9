#include "persistence/save_transaction.h"

#include "persistence/file_access.h"
#include "persistence/file_ops.h"
#include "text/helpers.h"
#include "trace/trace_log.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <random>

namespace fs = std::filesystem;

namespace kt {

namespace {

constexpr std::string_view JournalMagic = "KASSOTEK-JOURNAL 1\n";
constexpr std::string_view JournalEnd = "END\n";

bool Exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

std::string FolderOf(const std::string& path) {
    return FilePathOf(path);
}

std::string NameOf(const std::string& path) {
    return path.substr(FilePathOf(path).size());
}

// A name that no file has yet: the target, the temporary mark and a random part.
std::string TemporaryName(const std::string& target) {
    static std::atomic<unsigned> counter{0};
    static const unsigned long long seed =
        std::random_device{}() ^
        static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
    static const char digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    unsigned long long x = seed + 0x9e3779b97f4a7c15ULL * (++counter + static_cast<unsigned>(::getpid()));
    std::string suffix;
    for (int i = 0; i < 8; ++i) {
        x ^= x >> 33;
        x *= 0xff51afd7ed558ccdULL;
        suffix += digits[x % 36];
    }
    return TemporaryPrefix(target) + suffix;
}

// The mode of the file replaced, or what the umask gives a new file.
mode_t ModeFor(const std::string& target) {
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0)
        return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

class Transaction {
public:
    explicit Transaction(FileOps& ops) : ops_(ops) {}

    // Removes what this run created when it did not commit.
    void discard() {
        for (const std::string& t : temporaries_)
            ops_.unlink(t);
        temporaries_.clear();
    }

    // Writes `bytes` to a new temporary file for `target` and flushes it.
    int writeTemporary(const std::string& target, std::string_view bytes, std::string& temp,
                       std::size_t& written, mode_t mode) {
        int fd = -1;
        int error = EEXIST;
        for (int attempt = 0; attempt < 100 && error == EEXIST; ++attempt) {
            temp = TemporaryName(target);
            error = ops_.create(temp, fd);
        }
        if (error != 0)
            return error;
        temporaries_.push_back(temp);
        written = 0;
        while (written < bytes.size()) {
            std::size_t n = 0;
            error = ops_.write(fd, bytes.data() + written, bytes.size() - written, n);
            written += n;
            if (error != 0) {
                ops_.close(fd);
                return error;
            }
        }
        ::fchmod(fd, mode);
        if ((error = ops_.fsync(fd)) != 0) {
            ops_.close(fd);
            return error;
        }
        return ops_.close(fd);
    }

    // A second name for the file `from` under a temporary name for `target`: a hard link, or a
    // flushed copy where the file system has no hard links.
    int keepAs(const std::string& from, const std::string& target, std::string& temp) {
        int error = EEXIST;
        for (int attempt = 0; attempt < 100 && error == EEXIST; ++attempt) {
            temp = TemporaryName(target);
            error = ops_.link(from, temp);
        }
        if (error == 0) {
            temporaries_.push_back(temp);
            return 0;
        }
        if (error != EPERM && error != EXDEV && error != ENOTSUP && error != EMLINK && error != ENOSYS)
            return error;
        std::string bytes;
        if (!ReadWholeFile(from, bytes, error))
            return error;
        std::size_t written = 0;
        return writeTemporary(target, bytes, temp, written, ModeFor(from));
    }

    void committed() { temporaries_.clear(); }

private:
    FileOps& ops_;
    std::vector<std::string> temporaries_;
};

struct Step {
    bool rename = true; // else: remove `to`
    std::string from;
    std::string to;
};

std::string JournalBytes(const std::vector<Step>& steps) {
    std::string out(JournalMagic);
    for (const Step& s : steps) {
        out += s.rename ? 'R' : 'U';
        out += NameOf(s.from);
        out += '\0';
        out += NameOf(s.to);
        out += '\0';
    }
    out += JournalEnd;
    return out;
}

// False when the journal is not one that a commit wrote completely.
bool ParseJournal(const std::string& bytes, const std::string& folder, std::vector<Step>& steps) {
    if (bytes.size() < JournalMagic.size() + JournalEnd.size() ||
        bytes.compare(0, JournalMagic.size(), JournalMagic) != 0 ||
        bytes.compare(bytes.size() - JournalEnd.size(), JournalEnd.size(), JournalEnd) != 0)
        return false;
    std::size_t pos = JournalMagic.size();
    const std::size_t end = bytes.size() - JournalEnd.size();
    while (pos < end) {
        Step s;
        const char kind = bytes[pos++];
        if (kind != 'R' && kind != 'U')
            return false;
        s.rename = kind == 'R';
        const std::size_t a = bytes.find('\0', pos);
        if (a == std::string::npos || a >= end)
            return false;
        const std::size_t b = bytes.find('\0', a + 1);
        if (b == std::string::npos || b >= end)
            return false;
        const std::string from = bytes.substr(pos, a - pos);
        const std::string to = bytes.substr(a + 1, b - a - 1);
        // Names only: a journal never reaches outside its folder.
        if (to.empty() || to.find('/') != std::string::npos || from.find('/') != std::string::npos ||
            (s.rename && from.empty()))
            return false;
        s.from = folder + from;
        s.to = folder + to;
        steps.push_back(std::move(s));
        pos = b + 1;
    }
    return true;
}

// Carries out the steps; each can run again after a crash, because every source is a temporary
// name that no other step writes.
int Apply(FileOps& ops, const std::vector<Step>& steps, std::string& file) {
    for (const Step& s : steps) {
        int error = 0;
        if (s.rename) {
            if (Exists(s.from))
                error = ops.rename(s.from, s.to);
        } else if (Exists(s.to)) {
            error = ops.unlink(s.to);
        }
        if (error != 0) {
            file = s.to;
            return error;
        }
    }
    return 0;
}

// Removes temporary files of these targets that interrupted runs left.
void RemoveStrays(FileOps& ops, const std::vector<std::string>& targets) {
    if (targets.empty())
        return;
    const std::string folder = FolderOf(targets.front());
    std::vector<std::string> prefixes;
    for (const std::string& t : targets)
        prefixes.push_back(NameOf(TemporaryPrefix(t)));
    std::error_code ec;
    for (fs::directory_iterator it(folder.empty() ? "." : folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        for (const std::string& p : prefixes) {
            if (name.size() > p.size() && name.compare(0, p.size(), p) == 0) {
                ops.unlink(folder + name);
                break;
            }
        }
    }
}

} // namespace

std::string JournalFileOf(const std::string& dataFile) {
    return ChangeFileExt(dataFile, ".KTJ");
}

std::string TemporaryPrefix(const std::string& target) {
    return target + ".kt~";
}

bool ReplaceFiles(const std::vector<FileReplacement>& files, const std::string& journal,
                  ReplaceFailure& failure) {
    FileOps& ops = CurrentFileOps();
    Transaction tx(ops);
    std::vector<Step> backups;
    std::vector<Step> replacements;
    std::vector<std::string> touched;
    auto fail = [&](ReplaceFailure::Stage stage, std::size_t index, const std::string& file, int error,
                    std::size_t written = 0) {
        tx.discard();
        failure = ReplaceFailure{stage, index, file, error, written};
        TraceLine("Persist: ReplaceFiles [ERROR] \"" + file + "\" errno=" + std::to_string(error));
        return false;
    };

    for (std::size_t i = 0; i < files.size(); ++i) {
        const FileReplacement& f = files[i];
        touched.push_back(f.target);
        struct stat st {};
        const bool exists = ::stat(f.target.c_str(), &st) == 0;
        if (exists && !S_ISREG(st.st_mode))
            return fail(ReplaceFailure::Stage::Write, i, f.target, EISDIR);
        std::string temp;
        std::size_t written = 0;
        if (const int e = tx.writeTemporary(f.target, f.bytes, temp, written, ModeFor(f.target)))
            return fail(ReplaceFailure::Stage::Write, i, f.target, e, written);
        replacements.push_back({true, temp, f.target});

        if (f.backup.empty() || !exists)
            continue;
        // Generations from the oldest: B(k-1) becomes Bk, B becomes B1, the file becomes B.
        auto generation = [&](int k) { return k == 0 ? f.backup : f.backup + std::to_string(k); };
        for (int k = 0; k <= f.generations; ++k) {
            touched.push_back(generation(k));
            // A folder or device under a backup name would stop the commit half-way: refuse now.
            struct stat g {};
            if (::lstat(generation(k).c_str(), &g) == 0 && !S_ISREG(g.st_mode))
                return fail(ReplaceFailure::Stage::Backup, i, generation(k), EISDIR);
        }
        if (Exists(f.backup)) {
            for (int k = f.generations; k >= 1; --k) {
                const std::string from = generation(k - 1);
                if (!Exists(from)) {
                    backups.push_back({false, {}, generation(k)});
                    continue;
                }
                if (const int e = tx.keepAs(from, generation(k), temp))
                    return fail(ReplaceFailure::Stage::Backup, i, generation(k), e);
                backups.push_back({true, temp, generation(k)});
            }
        }
        if (const int e = tx.keepAs(f.target, f.backup, temp))
            return fail(ReplaceFailure::Stage::Backup, i, f.backup, e);
        backups.push_back({true, temp, f.backup});
    }
    if (files.empty())
        return true;

    std::vector<Step> steps = std::move(backups);
    steps.insert(steps.end(), replacements.begin(), replacements.end());
    const std::string folder = FolderOf(journal);
    std::string temp;
    std::size_t written = 0;
    const std::string bytes = JournalBytes(steps);
    int error = tx.writeTemporary(journal, bytes, temp, written, ModeFor(journal));
    if (error == 0 && (error = ops.rename(temp, journal)) == 0)
        error = ops.fsyncFolder(folder);
    if (error != 0) {
        // Whether the rename happened is unknown after an error: take the journal back too.
        ops.unlink(journal);
        return fail(ReplaceFailure::Stage::Commit, 0, journal, error);
    }
    tx.committed();

    std::string file;
    error = Apply(ops, steps, file);
    if (error != 0) {
        // The journal stays: the next load or save completes the renames.
        failure = ReplaceFailure{ReplaceFailure::Stage::Commit, 0, file, error, 0};
        TraceLine("Persist: ReplaceFiles [ERROR] commit \"" + file + "\" errno=" + std::to_string(error));
        return false;
    }
    // The new set is in place. Should the journal outlive an error here, running it again
    // changes nothing, as its temporary names are gone.
    if (ops.fsyncFolder(folder) != 0 || ops.unlink(journal) != 0 || ops.fsyncFolder(folder) != 0)
        TraceLine("Persist: ReplaceFiles [ERROR] journal \"" + journal + "\" not removed");
    touched.push_back(journal);
    RemoveStrays(ops, touched);
    return true;
}

WriteOutcome WriteFileSafely(const std::string& target, std::string_view bytes) {
    FileOps& ops = CurrentFileOps();
    Transaction tx(ops);
    WriteOutcome out;
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
        out.error = EISDIR;
        return out;
    }
    std::string temp;
    out.error = tx.writeTemporary(target, bytes, temp, out.written, ModeFor(target));
    if (out.error == 0)
        out.error = ops.rename(temp, target);
    if (out.error != 0) {
        tx.discard();
        TraceLine("Persist: WriteFileSafely [ERROR] " + target + " errno=" + std::to_string(out.error));
        return out;
    }
    tx.committed();
    ops.fsyncFolder(FolderOf(target));
    out.ok = true;
    return out;
}

int RecoverReplace(const std::string& journal, std::string& file) {
    if (!Exists(journal))
        return 0;
    FileOps& ops = CurrentFileOps();
    std::string bytes;
    int error = 0;
    if (!ReadWholeFile(journal, bytes, error)) {
        file = journal;
        return error;
    }
    std::vector<Step> steps;
    const std::string folder = FolderOf(journal);
    if (ParseJournal(bytes, folder, steps)) {
        TraceLine("Persist: RecoverReplace completing " + std::to_string(steps.size()) + " steps of \"" +
                  journal + "\"");
        if ((error = Apply(ops, steps, file)) != 0 || (error = ops.fsyncFolder(folder)) != 0)
            return error;
    } else {
        TraceLine("Persist: RecoverReplace [ERROR] unusable journal \"" + journal + "\" removed");
    }
    if ((error = ops.unlink(journal)) != 0 || (error = ops.fsyncFolder(folder)) != 0) {
        file = journal;
        return error;
    }
    return 0;
}

} // namespace kt
