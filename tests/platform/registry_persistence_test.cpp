// Persistence of the stand-in across processes: a value written by one
// process is read by another, also when the writer dies right after the call
// returned; an open handle sees another process's write at once, also where
// this process has read (and so cached) the old state; a reader never goes
// back to an older state; many processes writing the same hive at the same
// time all succeed; a batch of calls is one transaction; a module linked
// with a copy of the stand-in of its own, opening the hive beside this
// process's copy, loses no later write of this process.
#include "open_descriptors.h"
#include "registry_process_support.h"

#include <atomic>
#include <chrono>
#include <dlfcn.h>
#include <csignal>
#include <cstdlib>
#include <thread>

using namespace zelk_test;

namespace {

const WCHAR *const kKey = ZELK_WSTR("Software\\ZelkPersistence");

int childWrite(const char *name, DWORD value, bool die) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr)) return 10;
  WStr wname = W(name);
  if (RegSetValueExW(key, wname.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE *>(&value), sizeof value)) {
    return 11;
  }
  if (die) std::raise(SIGKILL); // a crash right after the call returned
  return RegCloseKey(key) ? 12 : 0;
}

int childHammer(int id, int rounds) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr)) return 20;
  for (int i = 0; i < rounds; ++i) {
    WStr name = W(("w" + std::to_string(id) + "_" + std::to_string(i % 10)).c_str());
    DWORD v = DWORD(i);
    LONG rc = RegSetValueExW(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE *>(&v), sizeof v);
    if (rc) {
      std::printf("set failed: %ld\n", long(rc));
      return 21;
    }
    HKEY sub = nullptr;
    WStr subName = W(("sub" + std::to_string(id)).c_str());
    rc = RegCreateKeyExW(key, subName.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &sub, nullptr);
    if (rc) {
      std::printf("create failed: %ld\n", long(rc));
      return 22;
    }
    RegCloseKey(sub);
    DWORD size = 0;
    rc = RegQueryValueExW(key, name.c_str(), nullptr, nullptr, nullptr, &size);
    if (rc) {
      std::printf("query failed: %ld\n", long(rc));
      return 23;
    }
  }
  return RegCloseKey(key) ? 24 : 0;
}

LONG writeDword(HKEY key, const char *name, DWORD value) {
  return RegSetValueExW(key, W(name).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE *>(&value), sizeof value);
}

HKEY createTestKey() {
  HKEY key = nullptr;
  EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  return key;
}

DWORD readDword(HKEY root, const char *name, LONG &rc) {
  DWORD value = 0, size = sizeof value;
  rc = RegQueryValueExW(root, W(name).c_str(), nullptr, nullptr, reinterpret_cast<BYTE *>(&value), &size);
  return value;
}

TEST(PersistenceTest, ValueWrittenByOneProcessIsReadByAnother) {
  ChildResult child = runSelf("--write first 41");
  ASSERT_EQ(child.status, 0) << child.output;
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key), ERROR_SUCCESS);
  LONG rc;
  EXPECT_EQ(readDword(key, "first", rc), 41u);
  EXPECT_EQ(rc, ERROR_SUCCESS);
  RegCloseKey(key);
}

TEST(PersistenceTest, WriteSurvivesCrashRightAfterReturn) {
  ChildResult child = runSelf("--write-and-die crashed 7");
  ASSERT_EQ(child.status, 128 + SIGKILL) << child.output;
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key), ERROR_SUCCESS);
  LONG rc;
  EXPECT_EQ(readDword(key, "crashed", rc), 7u);
  EXPECT_EQ(rc, ERROR_SUCCESS);
  RegCloseKey(key);
}

TEST(PersistenceTest, OpenHandleSeesOtherProcessWriteAtOnce) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  DWORD old = 1;
  ASSERT_EQ(RegSetValueExW(key, W("live").c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE *>(&old), 4),
            ERROR_SUCCESS);
  ChildResult child = runSelf("--write live 2");
  ASSERT_EQ(child.status, 0) << child.output;
  LONG rc;
  EXPECT_EQ(readDword(key, "live", rc), 2u);
  // A key deleted by another process is deleted for this handle too.
  ChildResult deleter = runSelf("--delete-tree");
  ASSERT_EQ(deleter.status, 0) << deleter.output;
  readDword(key, "live", rc);
  EXPECT_EQ(rc, ERROR_KEY_DELETED);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

// Child: changes everything the parent has just read.
int childChangeWhatWasRead() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_ALL_ACCESS, &key)) return 40;
  if (writeDword(key, "seen", 9)) return 41;
  if (writeDword(key, "missing", 9)) return 42;
  if (SHDeleteKeyW(key, W("old").c_str())) return 43;
  HKEY created = nullptr;
  if (RegCreateKeyExW(key, W("new").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &created, nullptr)) return 44;
  RegCloseKey(created);
  return RegCloseKey(key) ? 45 : 0;
}

TEST(PersistenceTest, WhatThisProcessReadFollowsAnotherProcessChanges) {
  HKEY key = createTestKey();
  ASSERT_NE(key, nullptr);
  ASSERT_EQ(writeDword(key, "seen", 1), ERROR_SUCCESS);
  HKEY old = nullptr;
  ASSERT_EQ(RegCreateKeyExW(key, W("old").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &old, nullptr),
            ERROR_SUCCESS);
  // Read everything twice, so the second answers can come from what was read.
  LONG rc;
  HKEY probe = nullptr;
  for (int pass = 0; pass < 2; ++pass) {
    EXPECT_EQ(readDword(key, "seen", rc), 1u);
    readDword(key, "missing", rc);
    EXPECT_EQ(rc, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegOpenKeyExW(key, W("new").c_str(), 0, KEY_READ, &probe), ERROR_FILE_NOT_FOUND);
    DWORD values = 0;
    EXPECT_EQ(RegQueryInfoKeyW(old, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr,
                               nullptr, nullptr),
              ERROR_SUCCESS);
  }

  ChildResult child = runSelf("--change-what-was-read");
  ASSERT_EQ(child.status, 0) << child.output;

  EXPECT_EQ(readDword(key, "seen", rc), 9u);
  EXPECT_EQ(readDword(key, "missing", rc), 9u);
  EXPECT_EQ(rc, ERROR_SUCCESS);
  EXPECT_EQ(RegQueryInfoKeyW(old, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                             nullptr, nullptr),
            ERROR_KEY_DELETED);
  EXPECT_EQ(RegOpenKeyExW(key, W("old").c_str(), 0, KEY_READ, &probe), ERROR_FILE_NOT_FOUND);
  ASSERT_EQ(RegOpenKeyExW(key, W("new").c_str(), 0, KEY_READ, &probe), ERROR_SUCCESS);
  DWORD disposition = 0;
  HKEY again = nullptr;
  ASSERT_EQ(RegCreateKeyExW(key, W("new").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &again, &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, DWORD(REG_OPENED_EXISTING_KEY));
  RegCloseKey(again);
  RegCloseKey(probe);
  RegCloseKey(old);
  RegCloseKey(key);
  EXPECT_EQ(SHDeleteKeyW(HKEY_CURRENT_USER, kKey), DWORD(ERROR_SUCCESS));
}

// Child: counts "ahead" and then "behind" up to `rounds`, one call each, so
// that at every moment ahead >= behind.
int childCountInStep(int rounds) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr)) return 50;
  for (DWORD i = 1; i <= DWORD(rounds); ++i) {
    if (writeDword(key, "ahead", i)) return 51;
    if (writeDword(key, "behind", i)) return 52;
  }
  return RegCloseKey(key) ? 53 : 0;
}

TEST(PersistenceTest, ReaderNeverGoesBackToAnOlderState) {
  HKEY key = createTestKey();
  ASSERT_NE(key, nullptr);
  ASSERT_EQ(writeDword(key, "ahead", 0), ERROR_SUCCESS);
  ASSERT_EQ(writeDword(key, "behind", 0), ERROR_SUCCESS);
  const int rounds = 400;
  std::string cmd = "'" + selfPath() + "' --count-in-step " + std::to_string(rounds) + " 2>&1";
  FILE *writer = ::popen(cmd.c_str(), "r");
  ASSERT_NE(writer, nullptr);
  // Reading "behind" first and "ahead" second, a reader that only moves
  // forward in time always finds ahead >= behind, and never a smaller
  // "behind" than it found before.
  DWORD lastBehind = 0;
  int violations = 0, reads = 0;
  for (;;) {
    LONG rcBehind, rcAhead;
    DWORD behind = readDword(key, "behind", rcBehind);
    DWORD ahead = readDword(key, "ahead", rcAhead);
    ASSERT_EQ(rcBehind, ERROR_SUCCESS);
    ASSERT_EQ(rcAhead, ERROR_SUCCESS);
    ++reads;
    if (ahead < behind || behind < lastBehind) ++violations;
    lastBehind = behind;
    if (behind == DWORD(rounds)) break;
    ASSERT_LT(reads, 10000000) << "the writer's last value never became visible";
  }
  EXPECT_EQ(::pclose(writer), 0);
  EXPECT_EQ(violations, 0) << "in " << reads << " reads";
  RegCloseKey(key);
}

TEST(PersistenceTest, ConcurrentWritersAllSucceed) {
  const int writers = 4, rounds = 150;
  std::vector<FILE *> pipes;
  for (int i = 0; i < writers; ++i) {
    std::string cmd = "'" + selfPath() + "' --hammer " + std::to_string(i) + " " + std::to_string(rounds) + " 2>&1";
    pipes.push_back(::popen(cmd.c_str(), "r"));
  }
  // Read the hive while they write.
  for (int i = 0; i < 50; ++i) {
    HKEY key = nullptr;
    LONG rc = RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key);
    EXPECT_TRUE(rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND) << rc;
    if (rc == ERROR_SUCCESS) {
      DWORD values = 0;
      EXPECT_EQ(RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr,
                                 nullptr, nullptr, nullptr),
                ERROR_SUCCESS);
      RegCloseKey(key);
    }
  }
  for (FILE *p : pipes) {
    char buf[256];
    std::string out;
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    int status = ::pclose(p);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << out;
  }
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key), ERROR_SUCCESS);
  DWORD subkeys = 0;
  ASSERT_EQ(RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr, nullptr,
                             nullptr, nullptr, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(subkeys, DWORD(writers));
  for (int i = 0; i < writers; ++i) {
    LONG rc;
    DWORD v = readDword(key, ("w" + std::to_string(i) + "_9").c_str(), rc);
    EXPECT_EQ(rc, ERROR_SUCCESS);
    EXPECT_EQ(v, DWORD(rounds - 1));
  }
  RegCloseKey(key);
  EXPECT_EQ(SHDeleteKeyW(HKEY_CURRENT_USER, kKey), DWORD(ERROR_SUCCESS));
}

TEST(PersistenceTest, FlushMakesChangesDurable) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  DWORD v = 9;
  ASSERT_EQ(RegSetValueExW(key, W("flushed").c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE *>(&v), 4),
            ERROR_SUCCESS);
  EXPECT_EQ(RegFlushKey(key), ERROR_SUCCESS);
  RegCloseKey(key);
  ChildResult child = runSelf("--expect flushed 9");
  EXPECT_EQ(child.status, 0) << child.output;
}

TEST(PersistenceTest, ThreadsShareHandlesSafely) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  std::atomic<int> failures{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < 100; ++i) {
        WStr name = W(("t" + std::to_string(t)).c_str());
        DWORD v = DWORD(i);
        if (RegSetValueExW(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE *>(&v), 4)) ++failures;
        HKEY sub = nullptr;
        if (RegCreateKeyExW(key, name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &sub, nullptr)) ++failures;
        if (RegCloseKey(sub)) ++failures;
        DWORD size = 4;
        if (RegQueryValueExW(key, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE *>(&v), &size)) ++failures;
      }
    });
  }
  for (std::thread &t : threads) t.join();
  EXPECT_EQ(failures.load(), 0);
  LONG rc;
  EXPECT_EQ(readDword(key, "t3", rc), 99u);
  RegCloseKey(key);
}

TEST(PersistenceTest, ForkedChildUsesTheRegistry) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  pid_t pid = ::fork();
  if (pid == 0) {
    // The child inherits the handle and opens the hive afresh.
    DWORD v = 77;
    LONG rc = RegSetValueExW(key, W("forked").c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE *>(&v), 4);
    ::_exit(rc == ERROR_SUCCESS ? 0 : 1);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  LONG rc;
  EXPECT_EQ(readDword(key, "forked", rc), 77u);
  EXPECT_EQ(rc, ERROR_SUCCESS);

  // A batch stays its parent's: the child can neither commit nor roll it back.
  ASSERT_EQ(ZelkRegBeginBatch(HKEY_CURRENT_USER), ERROR_SUCCESS);
  ASSERT_EQ(writeDword(key, "forked", 88), ERROR_SUCCESS);
  pid = ::fork();
  if (pid == 0) {
    bool neither = ZelkRegCommitBatch(HKEY_CURRENT_USER) == ERROR_INVALID_FUNCTION &&
                   ZelkRegRollbackBatch(HKEY_CURRENT_USER) == ERROR_INVALID_FUNCTION;
    ::_exit(neither ? 0 : 1);
  }
  ::waitpid(pid, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(runSelf("--expect forked 77").status, 0) << "the child committed its parent's batch";
  ASSERT_EQ(ZelkRegCommitBatch(HKEY_CURRENT_USER), ERROR_SUCCESS);
  EXPECT_EQ(runSelf("--expect forked 88").status, 0);
  RegCloseKey(key);
}

// A second copy of the stand-in in this process opens the hive while this
// process's connection is open; then another process opens and closes the
// hive. What this process writes afterwards is seen by the next process, not
// only by this one. The player no longer holds two copies (its modules use
// the one shared library, see one_registry_per_process_test); the second
// copy here is linked into the module on its own, as a plug-in built outside
// the project could be, and the test keeps such a process safe.
TEST(PersistenceTest, WriteAfterAModuleCopyOpenedTheHiveReachesOtherProcesses) {
  HKEY key = createTestKey();
  ASSERT_EQ(writeDword(key, "shared", 1), ERROR_SUCCESS);
  void *module = ::dlopen(ZELK_REGISTRY_MODULE_COPY, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(module, nullptr) << ::dlerror();
  using ReadDword = LONG (*)(const WCHAR *, const WCHAR *, DWORD *);
  auto readThroughModule = reinterpret_cast<ReadDword>(::dlsym(module, "zelkModuleCopyReadDword"));
  ASSERT_NE(readThroughModule, nullptr) << ::dlerror();
  DWORD seen = 0;
  ASSERT_EQ(readThroughModule(kKey, W("shared").c_str(), &seen), ERROR_SUCCESS);
  EXPECT_EQ(seen, 1u);
  const std::string userHive = std::string(std::getenv("ZELK_REGISTRY_DIR")) + "/user.db";
  ASSERT_GT(openDescriptorsOf(userHive), 1) << "the module did not use a copy of its own";

  ChildResult reader = runSelf("--expect shared 1");
  ASSERT_EQ(reader.status, 0) << reader.output;
  ASSERT_EQ(writeDword(key, "shared", 2), ERROR_SUCCESS);
  ChildResult next = runSelf("--expect shared 2");
  EXPECT_EQ(next.status, 0) << "the write is seen by this process only: " << next.output;
  ASSERT_EQ(readThroughModule(kKey, W("shared").c_str(), &seen), ERROR_SUCCESS);
  EXPECT_EQ(seen, 2u);
  RegCloseKey(key);
}

const WCHAR *const kTree = ZELK_WSTR("Software\\ZelkAtomicTree");
constexpr int kTreeKeys = 2000;

// Child: builds a tree call by call, says so, then deletes it in one call.
int childBuildAndDelete() {
  HKEY root = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kTree, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &root, nullptr)) return 40;
  for (int i = 0; i < kTreeKeys; ++i) {
    HKEY sub = nullptr;
    WStr name = W(("k" + std::to_string(i)).c_str());
    if (RegCreateKeyExW(root, name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &sub, nullptr)) return 41;
    DWORD v = DWORD(i);
    RegSetValueExW(sub, ZELK_WSTR("v"), 0, REG_DWORD, reinterpret_cast<const BYTE *>(&v), 4);
    RegCloseKey(sub);
  }
  RegCloseKey(root);
  std::printf("built\n");
  std::fflush(stdout);
  return int(SHDeleteKeyW(HKEY_CURRENT_USER, kTree));
}

TEST(PersistenceTest, TreeDeletionIsAtomicWhenTheProcessIsKilled) {
  for (int round = 0; round < 6; ++round) {
    int out[2];
    ASSERT_EQ(::pipe(out), 0);
    pid_t pid = ::fork();
    if (pid == 0) {
      ::dup2(out[1], 1);
      ::close(out[0]);
      std::string self = selfPath();
      ::execl(self.c_str(), self.c_str(), "--build-and-delete", static_cast<char *>(nullptr));
      ::_exit(127);
    }
    ::close(out[1]);
    char buf[16] = {};
    ASSERT_GT(::read(out[0], buf, sizeof buf - 1), 0);
    if (round) ::usleep(useconds_t(round * 400)); // kill at different points of the delete
    ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
    ::close(out[0]);
    // Either the whole tree is there or none of it.
    HKEY root = nullptr;
    LONG rc = RegOpenKeyExW(HKEY_CURRENT_USER, kTree, 0, KEY_READ, &root);
    if (rc == ERROR_FILE_NOT_FOUND) continue;
    ASSERT_EQ(rc, ERROR_SUCCESS);
    DWORD subkeys = 0;
    ASSERT_EQ(RegQueryInfoKeyW(root, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr, nullptr,
                               nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(subkeys, DWORD(kTreeKeys)) << "round " << round;
    RegCloseKey(root);
    EXPECT_EQ(SHDeleteKeyW(HKEY_CURRENT_USER, kTree), DWORD(ERROR_SUCCESS));
  }
}

} // namespace
// A batch (our extension) is one transaction: this process reads its own
// writes at once, also values it had read (and cached) before; another
// process sees nothing until the commit, and its writer waits instead of
// failing; another thread waits for the batch; a tree deleted in it is gone
// for the batch's later calls; a rollback leaves nothing, not even keys the
// batch created.
TEST(PersistenceTest, BatchIsOneTransaction) {
  HKEY key = createTestKey();
  ASSERT_NE(key, nullptr);
  LONG rc;
  ASSERT_EQ(writeDword(key, "a", 1), ERROR_SUCCESS);
  EXPECT_EQ(readDword(key, "a", rc), 1u);
  EXPECT_EQ(readDword(key, "a", rc), 1u); // answered from the read cache

  ASSERT_EQ(ZelkRegBeginBatch(HKEY_CURRENT_USER), ERROR_SUCCESS);
  EXPECT_EQ(ZelkRegBeginBatch(HKEY_CURRENT_USER), ERROR_INVALID_FUNCTION); // no nesting
  ASSERT_EQ(writeDword(key, "a", 2), ERROR_SUCCESS);
  ASSERT_EQ(writeDword(key, "b", 3), ERROR_SUCCESS);
  ASSERT_EQ(writeDword(key, "a", 1), ERROR_SUCCESS); // back to the stored value, still a write
  ASSERT_EQ(writeDword(key, "a", 2), ERROR_SUCCESS);
  EXPECT_EQ(readDword(key, "a", rc), 2u);
  EXPECT_EQ(readDword(key, "b", rc), 3u);
  EXPECT_EQ(runSelf("--expect a 1").status, 0) << "another process saw the batch before its commit";
  EXPECT_EQ(runSelf("--expect b 3").status, 31);
  std::atomic<bool> writerDone{false}, threadDone{false};
  ChildResult writer;
  std::thread otherProcess([&] {
    writer = runSelf("--write c 7");
    writerDone = true;
  });
  DWORD seenByThread = 0;
  std::thread otherThread([&] {
    LONG threadRc;
    seenByThread = readDword(key, "a", threadRc);
    threadDone = true;
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_FALSE(writerDone) << "another process wrote during the batch";
  EXPECT_FALSE(threadDone) << "another thread read during the batch";
  ASSERT_EQ(ZelkRegCommitBatch(HKEY_CURRENT_USER), ERROR_SUCCESS);
  otherProcess.join();
  otherThread.join();
  EXPECT_EQ(writer.status, 0) << writer.output;
  EXPECT_EQ(seenByThread, 2u);
  EXPECT_EQ(runSelf("--expect a 2").status, 0);
  EXPECT_EQ(runSelf("--expect b 3").status, 0);
  EXPECT_EQ(readDword(key, "c", rc), 7u);
  EXPECT_EQ(ZelkRegCommitBatch(HKEY_CURRENT_USER), ERROR_INVALID_FUNCTION);

  ASSERT_EQ(ZelkRegBeginBatch(HKEY_CURRENT_USER), ERROR_SUCCESS);
  ASSERT_EQ(writeDword(key, "a", 5), ERROR_SUCCESS);
  HKEY created = nullptr;
  ASSERT_EQ(RegCreateKeyExW(key, W("made").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &created, nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(writeDword(created, "x", 1), ERROR_SUCCESS);
  // A tree deleted inside the batch takes its keys with it, also those the
  // batch had just written to.
  HKEY inner = nullptr;
  ASSERT_EQ(RegCreateKeyExW(created, W("inner").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &inner, nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(writeDword(inner, "y", 1), ERROR_SUCCESS);
  ASSERT_EQ(SHDeleteKeyW(key, W("made").c_str()), DWORD(ERROR_SUCCESS));
  EXPECT_EQ(writeDword(inner, "y", 2), ERROR_KEY_DELETED);
  RegCloseKey(inner);
  ASSERT_EQ(ZelkRegRollbackBatch(HKEY_CURRENT_USER), ERROR_SUCCESS);
  EXPECT_EQ(readDword(key, "a", rc), 2u);
  EXPECT_EQ(writeDword(created, "x", 2), ERROR_KEY_DELETED);
  HKEY later = nullptr;
  ASSERT_EQ(RegCreateKeyExW(key, W("later").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &later, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(writeDword(created, "x", 3), ERROR_KEY_DELETED) << "a rolled-back key's id was given to a new key";
  EXPECT_EQ(runSelf("--expect a 2").status, 0);
  RegCloseKey(later);
  RegCloseKey(created);
  RegCloseKey(key);
  EXPECT_EQ(SHDeleteKeyW(HKEY_CURRENT_USER, kKey), DWORD(ERROR_SUCCESS));
}

int main(int argc, char **argv) {
  if (argc >= 4 && std::string(argv[1]) == "--write") return childWrite(argv[2], DWORD(std::atoi(argv[3])), false);
  if (argc >= 4 && std::string(argv[1]) == "--write-and-die") {
    return childWrite(argv[2], DWORD(std::atoi(argv[3])), true);
  }
  if (argc >= 4 && std::string(argv[1]) == "--hammer") return childHammer(std::atoi(argv[2]), std::atoi(argv[3]));
  if (argc >= 2 && std::string(argv[1]) == "--delete-tree") return int(SHDeleteKeyW(HKEY_CURRENT_USER, kKey));
  if (argc >= 2 && std::string(argv[1]) == "--build-and-delete") return childBuildAndDelete();
  if (argc >= 2 && std::string(argv[1]) == "--change-what-was-read") return childChangeWhatWasRead();
  if (argc >= 3 && std::string(argv[1]) == "--count-in-step") return childCountInStep(std::atoi(argv[2]));
  if (argc >= 4 && std::string(argv[1]) == "--expect") {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key)) return 30;
    LONG rc;
    DWORD v = readDword(key, argv[2], rc);
    return rc ? 31 : (v == DWORD(std::atoi(argv[3])) ? 0 : 32);
  }
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new TemporaryRegistryEnvironment);
  return RUN_ALL_TESTS();
}
