// Files that other programs hold open: who holds them, closing those
// programs, and replacing a file at the next restart when it stays busy.
#pragma once

#include <string>

namespace platform {

// What the setup program does about programs that hold files it must
// replace.
enum class InUseAnswer {
  Retry,      // the user has closed them: look again
  CloseThem,  // ask them to close, then go on
  GoOn,       // leave them; what stays busy is replaced at the next restart
  Cancel,     // end the run before anything is changed
};

class FilesInUse {
  // Never deleted through this interface: no destructor in its table.
 protected:
  ~FilesInUse() = default;

 public:
  // The file exists under that very name (no link or junction on the way
  // leads elsewhere) and another program holds it so that it cannot be
  // written: opened without write sharing, locked, or a running program.
  virtual bool InUse(const std::string& path) = 0;
  // The programs that hold any of the files (paths one a line), one name a
  // line, as Restart Manager knows them; empty where the system has none or
  // it knows none. With close, asks those programs to close instead. Only
  // the files found under their very names are asked about, as InUse finds
  // them, and so that nothing can re-point them meanwhile.
  virtual std::string Holders(const std::string& paths, bool close) = 0;
  // The question about them: Try Again, Continue (close them) or Cancel.
  virtual InUseAnswer Ask(const std::string& text) = 0;
  // Writes the bytes of `from` into a new file beside `to`, made under a
  // name nobody else had, and has the system move it over `to` at the next
  // restart. False, with nothing left behind, when that cannot be done.
  virtual bool ReplaceAtRestart(const std::string& from, const std::string& to) = 0;
  // Only the system and administrators can change the folders from path's
  // own up to its volume's root: none is a link, and no other account owns
  // one, may rename it or what is in it or change its permissions, or may
  // add to path's own. The system renames a file set aside for the restart
  // by its path, with every right; a folder re-pointed before then would
  // send the file elsewhere.
  virtual bool FoldersOnlyAdministratorsChange(const std::string& path) = 0;
  // A replacement of this run waits for the next restart.
  virtual bool RestartNeeded() = 0;
};

}  // namespace platform
