#pragma once

#include <functional>
#include <string>

namespace kt {

class Collection;
class UserDialogs;

// The marker every computer running this program writes into a semaphore file.
inline constexpr const char* OwnMachineMarker = "n.a.";
inline constexpr const char* SemaphoreFirstLine =
    "SEMAPHOREN-DATEI       ---   NICHT VERAENDERN  ---  NICHT LOESCHEN";

// True when the path lies on a network file system (NFS, SMB/CIFS, a FUSE network mount, ...).
bool IsNetworkDrive(const std::string& path);
// Test seam: replaces the network-drive test; an empty function restores IsNetworkDrive.
using NetworkDriveTest = std::function<bool(const std::string& path)>;
void SetNetworkDriveTest(NetworkDriveTest test);

// The semaphore file of a data file: the data file's name in its own letter case with the
// extension ".SEM" (an existing one in another letter case is taken instead). Sets SemDir.
std::string SemaphoreFileName(Collection& c, const std::string& dataFile);

// True when the program may read or write the data file; refuses (with a message) when another
// computer's semaphore file lies beside a data file on a network drive.
bool Networking_OK(Collection& c, const std::string& dataFile, UserDialogs& ui);
void CreateSemaphoreFile(Collection& c, const std::string& fileName);
// Removes the semaphore file of the data file when this computer's marker (or none) is in it.
void EraseSemaphoreFile(Collection& c, const std::string& dataFile);

} // namespace kt
