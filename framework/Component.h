#pragma once
// Components: anything a form owns (controls, timers, common dialogs), each
// with its owner, which lets go of it when it goes first.

#include <vector>

class TObject {
  public:
    virtual ~TObject() = default;
};

class TComponent : public TObject {
  public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    // Every component this one owns, in the order they were made.
    const std::vector<TComponent*>& Components() const { return components_; }

    // What a design row sets beyond its common columns; a kind with options
    // of its own declares both again.
    struct Options {};
    void ApplyOptions(const Options&) {}

  private:
    TComponent* owner_;
    std::vector<TComponent*> components_;
};
