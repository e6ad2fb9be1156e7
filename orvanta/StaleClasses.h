// Under Wine, the class objects of an agent that was killed stay registered with the
// session's COM activation service, ahead of any that a new agent registers, so every
// activation keeps reaching the dead process (see agent/RpcssRestart.h). Under Wine
// only, an agent therefore notes its process id in a volatile registry key (gone when
// the Wine session ends) while its classes are registered, and removes the note when
// it revokes them. An agent about to register that finds the note of a process that is
// gone knows a dead registration is in the way and restarts the activation service
// first. On Windows nothing is noted: COM notices a dead server by itself.
#pragma once

// Notes this process as serving for its lifetime (under Wine).
class TServingNote {
 public:
  TServingNote();
  TServingNote(const TServingNote&) = delete;
  TServingNote& operator=(const TServingNote&) = delete;
  ~TServingNote();

 private:
  bool noted_ = false;
};

// Removes the notes of processes that are gone; when there were any and `restart` is
// set, restarts the activation service so that their registrations go too. An agent
// that COM started passes false: COM starts a server only when it found no
// registration, so nothing stale is in the way. True when a restart was done.
bool ClearStaleRegistrations(bool restart);
