#pragma once
// A loaded shared library (a plug-in or an archiver module) with one owner: it is unloaded
// when its owner goes, and only moves. Plug-ins and archivers are found by file name, so the
// loader keeps the Windows habit of looking in the program folder first for a bare name.
#include <QString>
#include <stdexcept>

namespace pictavo {

class SharedLibrary {
public:
    // Error of a load or a missing export; what() is the loader's own text.
    class LoadError;

    SharedLibrary() = default;
    // Loads `nameOrPath`. A name without "/" is looked for in `programFolder` first (empty:
    // ModuleFolder(), the executable's folder or, installed, <prefix>/lib/pictavo), with ".dll"
    // at its end replaced by ".so", then through the loader's search path. Throws SharedLibrary::LoadError
    // when neither finds it.
    explicit SharedLibrary(const QString& nameOrPath, const QString& programFolder = {});
    ~SharedLibrary();
    SharedLibrary(SharedLibrary&& other) noexcept;
    SharedLibrary& operator=(SharedLibrary&& other) noexcept;
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    bool IsLoaded() const { return handle_ != nullptr; }
    // The export `name`, or nullptr when the library has none (or nothing is loaded).
    void* Symbol(const char* name) const;
    template <typename F>
    F Function(const char* name) const {
        return reinterpret_cast<F>(Symbol(name));
    }
    // The full path of the file the loader actually mapped (empty when nothing is loaded).
    QString ModulePath() const;
    // Unloads now; the object is then empty.
    void Unload();

private:
    void* handle_ = nullptr;
};

class SharedLibrary::LoadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The file name that a bare library name stands for on this platform ("UnZip32.dll" ->
// "UnZip32.so"); other names are returned as they are.
QString NativeLibraryName(const QString& name);

}  // namespace pictavo
