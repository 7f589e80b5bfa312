#include "support/fake/fake_system.h"

namespace glint {

MutexResult FakeSystem::CreateInstanceMutex(std::string_view name) {
  journal_.Add("CreateInstanceMutex " + std::string(name));
  return mutexResult;
}

void FakeSystem::ReleaseInstanceMutex() {
  journal_.Add("ReleaseInstanceMutex");
}
void FakeSystem::CloseInstanceMutex() {
  journal_.Add("CloseInstanceMutex");
}

OsVersionInfo FakeSystem::VersionInfo() {
  journal_.Add("VersionInfo");
  return version;
}

std::string FakeSystem::ModulePath() {
  journal_.Add("ModulePath");
  return modulePath;
}

std::string FakeSystem::CurrentDirectory() {
  journal_.Add("CurrentDirectory");
  return currentDirectory;
}

std::string FakeSystem::WindowsFolder() {
  return windowsFolder;
}

bool FakeSystem::StartProcess(const std::string& commandLine, const std::string& folder) {
  journal_.Add("StartProcess " + commandLine);
  if (!processStarts) return false;
  launches.push_back({"process", commandLine, "", folder});
  return true;
}

bool FakeSystem::ShellOpen(const std::string& file, const std::string& parameters,
                           const std::string& folder, const std::string& fileType) {
  journal_.Add("ShellOpen " + file);
  if (!shellOpens) return false;
  launches.push_back({fileType.empty() ? "shell" : "shell as " + fileType, file, parameters, folder});
  return true;
}

std::int64_t FakeSystem::FileSize(const std::string& path) {
  if (sizeUnknown.count(path)) return kFileSizeUnknown;
  if (directories.count(path)) return kFileIsDirectory;
  auto it = files.find(path);
  if (it == files.end()) return kFileMissing;
  return static_cast<std::int64_t>(it->second.size());
}

bool FakeSystem::ReadWholeFile(const std::string& path, std::string& contents) {
  journal_.Add("ReadWholeFile " + path);
  auto it = files.find(path);
  if (it == files.end() || unreadable.count(path)) return false;
  contents = it->second;
  return true;
}

bool FakeSystem::InReadOnlyFolder(const std::string& path) const {
  auto cut = path.find_last_of("\\/");
  std::string folder = cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
  return readOnlyFolders.count(folder) != 0;
}

bool FakeSystem::WriteFileFlushed(const std::string& path, std::string_view contents) {
  journal_.Add("WriteFileFlushed " + path);
  if (InReadOnlyFolder(path) || directories.count(path)) return false;
  files[path] = std::string(contents);
  ++writes;
  return true;
}

bool FakeSystem::MoveFileOver(const std::string& from, const std::string& to) {
  journal_.Add("MoveFileOver " + from + " -> " + to);
  auto it = files.find(from);
  if (failReplace || it == files.end() || InReadOnlyFolder(to) || directories.count(to))
    return false;
  files[to] = it->second;
  files.erase(from);
  return true;
}

bool FakeSystem::IsReadOnly(const std::string& path) {
  return readOnlyFiles.count(path) != 0;
}

bool FakeSystem::RemoveFile(const std::string& path) {
  journal_.Add("RemoveFile " + path);
  return files.erase(path) != 0;
}

void FakeSystem::SleepPrecise(int ms) {
  journal_.Add("SleepPrecise " + std::to_string(ms));
  clockMs += static_cast<std::uint64_t>(ms);
}

void FakeSystem::Sleep(int ms) {
  journal_.Add("Sleep " + std::to_string(ms));
  clockMs += static_cast<std::uint64_t>(ms);
}

void FakeSystem::SendMouse(MouseAction action) {
  journal_.Add(action == MouseAction::kLeftDown ? "SendMouse LeftDown" : "SendMouse LeftUp");
}

bool FakeSystem::CursorPos(Point& point) {
  point = cursor;
  return true;
}

void FakeSystem::ExitProcess(int code) {
  journal_.Add("ExitProcess " + std::to_string(code));
  throw FakeExit{code};
}

}  // namespace glint
