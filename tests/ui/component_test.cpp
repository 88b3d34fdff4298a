// Ownership, notifications and layout loading of components.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "Component.h"

using ui::TComponent;

namespace {

// Records what it is told, into a log shared by the test.
class Probe : public TComponent {
 public:
  Probe(TComponent* owner, std::string name, std::vector<std::string>& log)
      : TComponent(owner), log_(log) {
    SetName(std::move(name));
  }
  ~Probe() override { log_.push_back("destroyed " + Name()); }
  using TComponent::FreeNotification;

 protected:
  void Notification(TComponent* c, ui::TOperation op) override {
    log_.push_back(Name() + (op == ui::opInsert ? " saw insert of " : " saw removal of ") +
                   (c ? c->Name() : std::string("?")));
    TComponent::Notification(c, op);
  }
  void Loaded() override { log_.push_back(Name() + " loaded" + (IsLoading() ? " (still loading)" : "")); }

 private:
  std::vector<std::string>& log_;
};

TEST(Ownership, OwnedComponentsAreFreedWithTheirOwner) {
  std::vector<std::string> log;
  auto owner = std::make_unique<Probe>(nullptr, "owner", log);
  new Probe(owner.get(), "a", log);
  auto* b = new Probe(owner.get(), "b", log);
  new Probe(b, "b1", log);
  EXPECT_EQ(owner->ComponentCount(), 2);
  log.clear();
  owner.reset();
  // Last created first, each with what it owns, and nobody is told about siblings going.
  EXPECT_EQ(log, (std::vector<std::string>{"destroyed owner", "destroyed b", "destroyed b1", "destroyed a"}));
}

TEST(Ownership, FreeingAComponentTakesItOutOfItsOwnersList) {
  std::vector<std::string> log;
  Probe owner(nullptr, "owner", log);
  auto* a = new Probe(&owner, "a", log);
  new Probe(&owner, "b", log);
  delete a;
  ASSERT_EQ(owner.ComponentCount(), 1);
  EXPECT_EQ(owner.Components(0)->Name(), "b");
  EXPECT_EQ(owner.FindComponent("a"), nullptr);
}

TEST(Ownership, FindComponentIgnoresCase) {
  std::vector<std::string> log;
  Probe owner(nullptr, "owner", log);
  auto* button = new Probe(&owner, "bExtract", log);
  EXPECT_EQ(owner.FindComponent("BEXTRACT"), button);
  EXPECT_EQ(owner.FindComponent(""), nullptr);
}

TEST(Notification, SiblingsHearOfInsertsAndRemovals) {
  std::vector<std::string> log;
  Probe owner(nullptr, "owner", log);
  new Probe(&owner, "a", log);
  log.clear();
  auto* b = new Probe(&owner, "b", log);
  // Told from within the new component's construction, before it has its name.
  EXPECT_EQ(log, (std::vector<std::string>{"owner saw insert of ", "a saw insert of "}));
  log.clear();
  delete b;
  EXPECT_EQ(log, (std::vector<std::string>{"destroyed b", "owner saw removal of b", "a saw removal of b"}));
}

TEST(Notification, FreeNotificationReachesComponentsOfOtherOwners) {
  std::vector<std::string> log;
  Probe ownerA(nullptr, "ownerA", log);
  Probe ownerB(nullptr, "ownerB", log);
  auto* watcher = new Probe(&ownerA, "watcher", log);
  auto* watched = new Probe(&ownerB, "watched", log);
  watched->FreeNotification(watcher);
  log.clear();
  delete watched;
  EXPECT_EQ(log[0], "destroyed watched");
  EXPECT_EQ(log[1], "watcher saw removal of watched");
}

TEST(Notification, AFreedWatcherIsNotToldLater) {
  std::vector<std::string> log;
  Probe ownerA(nullptr, "ownerA", log);
  Probe ownerB(nullptr, "ownerB", log);
  auto* watcher = new Probe(&ownerA, "watcher", log);
  auto* watched = new Probe(&ownerB, "watched", log);
  watched->FreeNotification(watcher);
  delete watcher;
  log.clear();
  delete watched;  // must not reach the freed watcher
  EXPECT_EQ(log.front(), "destroyed watched");
  for (const std::string& line : log) EXPECT_EQ(line.find("watcher saw"), std::string::npos);
}

TEST(LayoutLoading, ComponentsLoadAfterTheLayoutRootFirst) {
  std::vector<std::string> log;
  Probe root(nullptr, "form", log);
  {
    ui::TLayoutLoading loading(root);
    auto* a = new Probe(&root, "a", log);
    EXPECT_TRUE(root.IsLoading());
    EXPECT_TRUE(a->IsLoading());
    auto* nested = new Probe(a, "a1", log);
    EXPECT_TRUE(nested->IsLoading());
    new Probe(&root, "b", log);
    log.clear();
  }
  EXPECT_FALSE(root.IsLoading());
  EXPECT_EQ(log, (std::vector<std::string>{"form loaded", "a loaded", "a1 loaded", "b loaded"}));
}

TEST(LayoutLoading, ComponentsMadeOutsideALayoutAreNotLoading) {
  std::vector<std::string> log;
  Probe root(nullptr, "form", log);
  auto* a = new Probe(&root, "a", log);
  EXPECT_FALSE(a->IsLoading());
}

TEST(LayoutLoading, AComponentFreedDuringTheLayoutIsNotToldItLoaded) {
  std::vector<std::string> log;
  Probe root(nullptr, "form", log);
  {
    ui::TLayoutLoading loading(root);
    delete new Probe(&root, "gone", log);
    new Probe(&root, "kept", log);
    log.clear();
  }
  EXPECT_EQ(log, (std::vector<std::string>{"form loaded", "kept loaded"}));
}

TEST(LayoutLoading, ALayoutCutShortByAnExceptionLoadsNothing) {
  std::vector<std::string> log;
  Probe root(nullptr, "form", log);
  try {
    ui::TLayoutLoading loading(root);
    new Probe(&root, "a", log);
    log.clear();
    throw std::runtime_error("bad layout");
  } catch (const std::runtime_error&) {
  }
  EXPECT_TRUE(log.empty());
  EXPECT_FALSE(root.IsLoading());
  EXPECT_FALSE(root.Components(0)->IsLoading());
}

TEST(ClassNames, ClassesAnswerToTheirAncestorsNames) {
  std::vector<std::string> log;
  Probe probe(nullptr, "p", log);
  EXPECT_EQ(probe.ClassName(), "TComponent");
  EXPECT_TRUE(probe.InheritsFrom("TComponent"));
  EXPECT_FALSE(probe.InheritsFrom("TControl"));
}

}  // namespace

// A base whose construction ends with a step a derived class supplies.
class Styled : public TComponent {
 public:
  using TComponent::TComponent;
  std::string look = "none";

 protected:
  virtual std::string DefaultLook() const { return "plain"; }
  void AfterConstruction() override { look = DefaultLook(); }
};

class Skinned : public Styled {
 public:
  Skinned(TComponent* owner, std::string look) : Styled(owner), own_(std::move(look)) {}

 protected:
  std::string DefaultLook() const override { return own_; }

 private:
  std::string own_;
};

class Failing : public Styled {
 public:
  Failing(TComponent* owner, std::vector<std::string>& log) : Styled(owner), log_(log) {}
  ~Failing() override { log_.push_back("freed"); }

 protected:
  std::string DefaultLook() const override { throw std::runtime_error("no look"); }

 private:
  std::vector<std::string>& log_;
};

TEST(TwoPhaseConstruction, TheSecondPhaseReachesTheDerivedClassAndTheOwnerKeepsTheResult) {
  TComponent owner(nullptr);
  auto* skinned = ui::Create<Skinned>(&owner, "blue");
  EXPECT_EQ(skinned->look, "blue");
  EXPECT_EQ(owner.ComponentCount(), 1);
  EXPECT_EQ(ui::Create<Styled>(&owner)->look, "plain");

  // A second phase that fails leaves nothing behind with the owner.
  std::vector<std::string> log;
  EXPECT_THROW(ui::Create<Failing>(&owner, log), std::runtime_error);
  EXPECT_EQ(log, (std::vector<std::string>{"freed"}));
  EXPECT_EQ(owner.ComponentCount(), 2);
}
