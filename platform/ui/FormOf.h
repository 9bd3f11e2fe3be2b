#pragma once
#include <QPointer>

#include "platform/ui/Form.h"

// The default instance of a window class: each window exists once.
//
//     class frmFind : public FormOf<frmFind> {
//         Q_OBJECT
//         friend class FormOf<frmFind>;   // when the constructor is private
//         frmFind();                      // builds the controls
//     public:
//         void Form_Load() override;
//     };
//
// frmFind::instance() makes and loads the window on first use (running Form_Load);
// isLoaded() tells whether it exists; unload() unloads it (running Form_QueryUnload and
// Form_Unload; false when they cancelled), after which instance() loads a fresh one.
// Base is Form or a window frame derived from it (the report windows share one).
template <class F, class Base = Form>
class FormOf : public Base {
  public:
    using Base::Base;

    static F& instance() {
        if (Slot().isNull()) {
            F* form = new F();
            Slot() = form;
            form->Load();
        }
        return *Slot();
    }
    static bool isLoaded() { return !Slot().isNull(); }
    static bool unload() { return Slot().isNull() || Slot()->Unload(); }

  protected:
    void ForgetInstance() override {
        if (Slot().data() == static_cast<F*>(this)) Slot() = nullptr;
    }

  private:
    static QPointer<F>& Slot() {
        static QPointer<F> slot;
        return slot;
    }
};
