#include "persistence/network_lock.h"

#include "model/collection.h"
#include "model/dialogs.h"
#include "persistence/companion_files.h"
#include "text/cp1252.h"
#include "text/helpers.h"
#include "trace/trace_log.h"

#include <sys/statfs.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace kt {

using namespace literals;

namespace {

NetworkDriveTest& DriveTest() {
    static NetworkDriveTest test;
    return test;
}

bool OnNetworkDrive(const std::string& path) {
    return DriveTest() ? DriveTest()(path) : IsNetworkDrive(path);
}

// The nearest existing folder of a path, so that a file still to be created can be tested.
std::string ExistingAncestor(const std::string& path) {
    std::error_code ec;
    fs::path p = fs::absolute(path, ec);
    while (!p.empty() && !fs::exists(p, ec) && p.has_parent_path() && p.parent_path() != p)
        p = p.parent_path();
    const fs::path real = fs::canonical(p, ec);
    return ec ? p.string() : real.string();
}

// The file-system type of the mount that holds `path`, from /proc/self/mountinfo ("fuse.sshfs").
std::string MountType(const std::string& path) {
    std::ifstream in("/proc/self/mountinfo");
    std::string line, best, bestType;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string id, parent, dev, root, point, rest;
        fields >> id >> parent >> dev >> root >> point;
        std::string token;
        while (fields >> token && token != "-") {
        }
        std::string type;
        fields >> type;
        const bool inside = path == point || point == "/" ||
                            (path.size() > point.size() && path.compare(0, point.size(), point) == 0 &&
                             path[point.size()] == '/');
        if (inside && point.size() >= best.size()) {
            best = point;
            bestType = type;
        }
    }
    return bestType;
}

double ModificationTime(const std::string& file) {
    std::error_code ec;
    const auto t = fs::last_write_time(file, ec);
    if (ec)
        return -2.0;
    const auto since = std::chrono::file_clock::to_sys(t).time_since_epoch();
    return 25569.0 + std::chrono::duration<double>(since).count() / 86400.0;
}

// The first two lines of a semaphore file; false when it cannot be read.
bool ReadSemaphoreLines(const std::string& file, std::string& first, std::string& second) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return false;
    std::getline(in, first);
    std::getline(in, second);
    for (std::string* s : {&first, &second})
        if (!s->empty() && s->back() == '\r')
            s->pop_back();
    return true;
}

} // namespace

bool IsNetworkDrive(const std::string& path) {
    const std::string existing = ExistingAncestor(path);
    struct statfs st {};
    if (existing.empty() || ::statfs(existing.c_str(), &st) != 0)
        return false;
    switch (static_cast<unsigned long>(st.f_type)) {
    case 0x6969UL:     // NFS
    case 0x517BUL:     // SMB
    case 0xFF534D42UL: // CIFS
    case 0xFE534D42UL: // SMB2
    case 0x564CUL:     // NCP
    case 0x5346414FUL: // AFS
    case 0x73757245UL: // Coda
    case 0x00C36400UL: // Ceph
    case 0x01021997UL: // 9P
        return true;
    case 0x65735546UL: { // FUSE: network only for the known network file systems
        const std::string type = MountType(existing);
        for (const char* net : {"fuse.sshfs", "fuse.rclone", "fuse.s3fs", "fuse.gcsfuse", "fuse.davfs",
                                "fuse.smbnetfs", "fuse.curlftpfs", "fuse.gvfsd-fuse", "fuse.glusterfs"})
            if (type == net)
                return true;
        return false;
    }
    default:
        return false;
    }
}

void SetNetworkDriveTest(NetworkDriveTest test) {
    DriveTest() = std::move(test);
}

std::string SemaphoreFileName(Collection& c, const std::string& dataFile) {
    c.NetLock.SemDir = FilePathOf(dataFile);
    std::string name = dataFile.substr(c.NetLock.SemDir.size());
    if (name.empty())
        name = fs::path(ProgramFile()).filename().string();
    // One name for the check, the creation and the removal; a file an older version made with
    // the name in capitals is found through the case variant.
    return ExistingCaseVariant(c.NetLock.SemDir + ChangeFileExt(name, ".SEM"));
}

void CreateSemaphoreFile(Collection& c, const std::string& fileName) {
    const std::string sem = SemaphoreFileName(c, fileName);
    std::ofstream out(sem, std::ios::binary | std::ios::trunc);
    out << SemaphoreFirstLine << "\r\n" << OwnMachineMarker << "\r\n";
    out.close();
    TraceLine("QSys: CreateSemaphoreFile \"" + sem + "\"" + (out ? "" : " [ERROR]"));
}

void EraseSemaphoreFile(Collection& c, const std::string& dataFile) {
    const std::string sem = SemaphoreFileName(c, dataFile);
    std::string first, second;
    if (!FileExists(sem) || !ReadSemaphoreLines(sem, first, second))
        return;
    if (second.empty() || second == OwnMachineMarker)
        EraseFile(sem);
}

bool Networking_OK(Collection& c, const std::string& dataFile, UserDialogs& ui) {
    if (!OnNetworkDrive(dataFile))
        return true;
    TraceLine("Persist: Networking_OK [ENTRY] \"" + dataFile + "\" on a network drive");
    // The trace log is not rewritten after every line while the data lie on the network.
    Trace().WriteMasterAlways = 2;
    const std::string sem = SemaphoreFileName(c, dataFile);
    const double time = ModificationTime(sem);
    if (FileExists(sem) && time != c.NetLock.NetSemTime) {
        std::string first, second;
        ReadSemaphoreLines(sem, first, second);
        if (second != OwnMachineMarker) {
            ui.notice("Anscheinend hat ein anderer Computer bereits diese Daten geladen!\r\n"
                      "Daher können Sie Änderungen an den Daten NICHT in DIESER Datei speichern!"_cp);
            TraceLine("Persist: Networking_OK [EXIT] refused, marker \"" + second + "\"");
            return false;
        }
        c.NetLock.NetSemTime = time;
        TraceLine("Persist: Networking_OK [EXIT] own marker");
        return true;
    }
    CreateSemaphoreFile(c, dataFile);
    c.NetLock.NetSemTime = ModificationTime(sem);
    TraceLine("Persist: Networking_OK [EXIT] semaphore file created");
    return true;
}

} // namespace kt
