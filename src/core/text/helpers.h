#pragma once

#include <cstdint>
#include <string>

namespace kt {

// Codes 33 to 126 and the six umlauts of Windows-1252 carry content; everything else does not.
bool IsPrintable(char c);
// Mode 'A' removes every unprintable character, 'L' those in front, 'R' those at the end.
std::string TrimText(const std::string& text, char mode);
// True when the text holds at least one printable character.
bool HasContent(const std::string& text);
std::string BoolText(bool value, int kind);
std::string DateTimeText();
// Appends the path separator "/" unless the path is blank or already ends with one.
std::string WithBackslash(const std::string& path);
std::string ZeroPad(long long value, int width);
std::string TextBefore(const std::string& text, char c);
std::string TextAfter(const std::string& text, char c);
std::string PadText(const std::string& text, int width, char side);
std::string IntText(long long value, int width);
std::string FloatText(double value, int width, int decimals);
double TextToFloat(const std::string& text, bool& error);
// Strict decimal integer of a whole text (surrounding blanks allowed); false when it is none.
bool ParseInt(const std::string& text, long long& value);
std::string FilePathOf(const std::string& fileName);
// A file name (the file system's bytes, UTF-8 here) as Windows-1252 text for the user's messages.
std::string FileNameText(const std::string& fileName);
std::string BaseName(const std::string& fileName);
// Replaces the extension of the last path element (or appends it); `ext` includes the dot.
std::string ChangeFileExt(const std::string& fileName, const std::string& ext);
// The extension of the last path element including the dot; empty when there is none.
std::string FileExtOf(const std::string& fileName);
void EraseFile(const std::string& fileName);
bool CheckIO(int ioResult, int position);
long long FileSizeOf(const std::string& fileName);
bool FileExists(const std::string& fileName);
// True when anything (a file, folder, device, ...) has that name.
bool PathExists(const std::string& fileName);
std::string EnvValue(const std::string& name);

struct FileVersion {
    int main = 0, minor = 0, release = 0, build = 0;
};
bool GetFileVersion(const std::string& fileName, FileVersion& version);
std::string VersionText(const std::string& fileName);
// The program's own version text, "2.6.16.4".
std::string ProgramVersionText();
std::string ProgramFile();
std::string WindowsVersionText();
std::string ShiftStateText(int state);
void MakeBackupFile(const std::string& file, const std::string& backup, bool move, int generations);

// The date-time of the historic files: days since 30 December 1899.
double NowAsDateTime();
// "dd.mm.yyyy" of a day count; empty when it cannot be formatted.
std::string ShortDateText(double dateTime);
// The day count of a calendar date.
double EncodeDate(int year, int month, int day);
bool DecodeDate(double dateTime, int& year, int& month, int& day);

} // namespace kt
