#include "framework/Accessible.h"

#include "framework/Library.h"
#include "framework/WideText.h"

#include <oleacc.h>

#include <algorithm>
#include <memory>
#include <new>
#include <utility>

namespace {

struct ComRelease {
    void operator()(IUnknown* object) const { object->Release(); }
};
template <class T> using ComPtr = std::unique_ptr<T, ComRelease>;

// Loaded with the first question, as the common dialogs are; the strings'
// library comes with oleacc, and the program imports neither.
struct Oleacc {
    decltype(&CreateStdAccessibleObject) createStandard = nullptr;
    decltype(&LresultFromObject) lresultFromObject = nullptr;
    decltype(&ObjectFromLresult) objectFromLresult = nullptr;
    decltype(&SysAllocStringLen) allocString = nullptr;
    decltype(&SysFreeString) freeString = nullptr;
    decltype(&SysStringLen) stringLength = nullptr;
    bool Loaded() const {
        return createStandard && lresultFromObject && objectFromLresult && allocString &&
               freeString && stringLength;
    }
};

const Oleacc& OleaccFunctions() {
    static const Oleacc functions = [] {
        const HMODULE oleacc = LoadLibraryW(L"oleacc.dll");
        const HMODULE strings = oleacc ? LoadLibraryW(L"oleaut32.dll") : nullptr;
        Oleacc f;
        f.createStandard =
            LibraryFunction<decltype(f.createStandard)>(oleacc, "CreateStdAccessibleObject");
        f.lresultFromObject =
            LibraryFunction<decltype(f.lresultFromObject)>(oleacc, "LresultFromObject");
        f.objectFromLresult =
            LibraryFunction<decltype(f.objectFromLresult)>(oleacc, "ObjectFromLresult");
        f.allocString = LibraryFunction<decltype(f.allocString)>(strings, "SysAllocStringLen");
        f.freeString = LibraryFunction<decltype(f.freeString)>(strings, "SysFreeString");
        f.stringLength = LibraryFunction<decltype(f.stringLength)>(strings, "SysStringLen");
        return f;
    }();
    return functions;
}

struct BstrFree {
    void operator()(OLECHAR* text) const { OleaccFunctions().freeString(text); }
};
using Bstr = std::unique_ptr<OLECHAR, BstrFree>;

Bstr ToBstr(const std::string& text) {
    const std::u16string units = ToUtf16(text);
    Bstr out(OleaccFunctions().allocString(nullptr, static_cast<UINT>(units.size())));
    if (out)
        std::copy(units.begin(), units.end(), out.get());
    return out;
}

bool IsSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// The inner object answers everything but the name of the whole control. It
// owns a copy of the name, not the control: a client may hold it longer than
// the window lives. It is no oleacc proxy (no IServiceProvider), so UI
// Automation reads it through its MSAA bridge instead of its own proxies.
class TNamedAccessible final : public IAccessible, public IOleWindow {
  public:
    TNamedAccessible(ComPtr<IAccessible> inner, HWND window, Bstr name)
        : inner_(std::move(inner)), window_(window), name_(std::move(name)) {}
    TNamedAccessible(const TNamedAccessible&) = delete;
    TNamedAccessible& operator=(const TNamedAccessible&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IAccessible)
            *out = static_cast<IAccessible*>(this);
        else if (iid == IID_IOleWindow)
            *out = static_cast<IOleWindow*>(this);
        else {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        return static_cast<ULONG>(InterlockedIncrement(&refs_));
    }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&refs_);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }

    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
        if (!window)
            return E_POINTER;
        *window = window_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!name)
            return E_POINTER;
        if (!IsSelf(child))
            return inner_->get_accName(child, name);
        const Oleacc& oleacc = OleaccFunctions();
        *name = oleacc.allocString(name_.get(), oleacc.stringLength(name_.get()));
        return *name ? S_OK : E_OUTOFMEMORY;
    }

    // Everything else is the inner object's.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override {
        return inner_->GetTypeInfoCount(n);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT i, LCID l, ITypeInfo** t) override {
        return inner_->GetTypeInfo(i, l, t);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID r, LPOLESTR* n, UINT c, LCID l,
                                            DISPID* d) override {
        return inner_->GetIDsOfNames(r, n, c, l, d);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID d, REFIID r, LCID l, WORD f, DISPPARAMS* p, VARIANT* v,
                                     EXCEPINFO* e, UINT* a) override {
        return inner_->Invoke(d, r, l, f, p, v, e, a);
    }
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** p) override {
        return inner_->get_accParent(p);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* n) override {
        return inner_->get_accChildCount(n);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT c, IDispatch** p) override {
        return inner_->get_accChild(c, p);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT c, BSTR* s) override {
        return inner_->get_accValue(c, s);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT c, BSTR* s) override {
        return inner_->get_accDescription(c, s);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT c, VARIANT* r) override {
        return inner_->get_accRole(c, r);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT c, VARIANT* s) override {
        return inner_->get_accState(c, s);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT c, BSTR* s) override {
        return inner_->get_accHelp(c, s);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* f, VARIANT c, long* t) override {
        return inner_->get_accHelpTopic(f, c, t);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT c, BSTR* s) override {
        return inner_->get_accKeyboardShortcut(c, s);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* c) override { return inner_->get_accFocus(c); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* c) override {
        return inner_->get_accSelection(c);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT c, BSTR* s) override {
        return inner_->get_accDefaultAction(c, s);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long f, VARIANT c) override {
        return inner_->accSelect(f, c);
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* x, long* y, long* w, long* h, VARIANT c) override {
        return inner_->accLocation(x, y, w, h, c);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long d, VARIANT s, VARIANT* e) override {
        return inner_->accNavigate(d, s, e);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* c) override {
        return inner_->accHitTest(x, y, c);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT c) override {
        return inner_->accDoDefaultAction(c);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT c, BSTR s) override {
        return inner_->put_accName(c, s);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT c, BSTR s) override {
        return inner_->put_accValue(c, s);
    }

  private:
    ~TNamedAccessible() = default; // only Release ends it
    LONG refs_ = 1;
    ComPtr<IAccessible> inner_;
    HWND window_;
    Bstr name_;
};

} // namespace

std::string AccessibleText(const std::string& caption) {
    std::string text;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size())
            ++i; // "&x" is x, "&&" is "&"
        else if (caption[i] == '&')
            continue; // a lone "&" at the end
        text += caption[i];
    }
    while (!text.empty() && (text.back() == ':' || text.back() == ' '))
        text.pop_back();
    return text;
}

LRESULT AnswerWithName(HWND window, WPARAM wParam, LRESULT own, const std::string& name) {
    const Oleacc& oleacc = OleaccFunctions();
    if (!oleacc.Loaded())
        return own;
    IAccessible* found = nullptr;
    const HRESULT hr = own > 0 ? oleacc.objectFromLresult(own, IID_IAccessible, wParam,
                                                          reinterpret_cast<void**>(&found))
                               : oleacc.createStandard(window, OBJID_CLIENT, IID_IAccessible,
                                                       reinterpret_cast<void**>(&found));
    if (FAILED(hr) || !found)
        return 0; // what own referred to is taken: the client makes the standard object itself
    ComPtr<IAccessible> inner(found);
    Bstr text = ToBstr(name);
    if (!text)
        return 0;
    auto* named = new (std::nothrow) TNamedAccessible(std::move(inner), window, std::move(text));
    if (!named)
        return 0;
    const LRESULT result =
        oleacc.lresultFromObject(IID_IAccessible, wParam, static_cast<IAccessible*>(named));
    named->Release();               // the client's references are LresultFromObject's
    return result > 0 ? result : 0; // on failure the client makes the standard object
}
