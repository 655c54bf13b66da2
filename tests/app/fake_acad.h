// A small stand-in drawing host for the tests that need to see the calls the
// program makes or make one of them fail: layers with a call log, a layer
// read that can throw, a connector that finds or starts an application.
#pragma once

#include "acad/acad.h"

#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

namespace fake {

struct Log {
    QStringList calls;
};

struct LayerData {
    QString name;
    bool on = true, freeze = false, lock = false, plottable = true, vpDefault = false;
    int color = 7;
    int lineweight = -3;
    QString linetype = QStringLiteral("Continuous");
    QString plotStyle = QStringLiteral("Normal");
    // A property read that fails with this error ("" = none), e.g. "Color".
    QString failOn;
};

class Layer : public acad::AcadLayer {
public:
    Layer(std::shared_ptr<Log> log, LayerData data) : m_log(std::move(log)), d(std::move(data)) {}
    QString Name() const override { return read("Name", d.name); }
    void setName(const QString &n) override { d.name = n; }
    bool LayerOn() const override { return read("LayerOn", d.on); }
    void setLayerOn(bool v) override { d.on = v; }
    bool Freeze() const override { return read("Freeze", d.freeze); }
    void setFreeze(bool v) override { d.freeze = v; }
    bool Lock() const override { return read("Lock", d.lock); }
    void setLock(bool v) override { d.lock = v; }
    bool Plottable() const override { return read("Plottable", d.plottable); }
    void setPlottable(bool v) override { d.plottable = v; }
    bool ViewportDefault() const override { return read("ViewportDefault", d.vpDefault); }
    void setViewportDefault(bool v) override { d.vpDefault = v; }
    int Color() const override { return read("Color", d.color); }
    void setColor(int v) override { d.color = v; }
    int Lineweight() const override { return read("Lineweight", d.lineweight); }
    void setLineweight(int v) override { d.lineweight = v; }
    QString Linetype() const override { return read("Linetype", d.linetype); }
    void setLinetype(const QString &v) override { d.linetype = v; }
    QString PlotStyleName() const override { return read("PlotStyleName", d.plotStyle); }
    void Delete() override {}

private:
    template <typename T>
    T read(const char *what, const T &value) const
    {
        m_log->calls.append(QStringLiteral("%1.%2").arg(d.name, QLatin1String(what)));
        if (d.failOn == QLatin1String(what))
            throw acad::AcadError(-2147467259, QStringLiteral("%1 を読めません").arg(QLatin1String(what)));
        return value;
    }
    std::shared_ptr<Log> m_log;
    LayerData d;
};

class Layers : public acad::AcadLayers {
public:
    Layers(std::shared_ptr<Log> log, std::vector<LayerData> layers) : m_log(std::move(log))
    {
        for (auto &l : layers)
            m_layers.push_back(std::make_shared<Layer>(m_log, l));
    }
    long Count() const override
    {
        m_log->calls.append(QStringLiteral("Layers.Count"));
        if (failCount)
            throw acad::AcadError(acad::err::Busy, QStringLiteral("Call was rejected by callee"));
        return static_cast<long>(m_layers.size());
    }
    acad::LayerPtr Item(long index) const override
    {
        m_log->calls.append(QStringLiteral("Layers.Item(%1)").arg(index));
        if (index < 0 || index >= static_cast<long>(m_layers.size()))
            throw acad::AcadError(acad::err::InvalidIndex, QStringLiteral("Invalid index"));
        return m_layers[static_cast<size_t>(index)];
    }
    acad::LayerPtr Item(const QString &name) const override
    {
        for (auto &l : m_layers)
            if (l->Name().compare(name, Qt::CaseInsensitive) == 0)
                return l;
        throw acad::AcadError(acad::err::KeyNotFound, QStringLiteral("Key not found"));
    }
    acad::LayerPtr Add(const QString &) override { return nullptr; }
    bool failCount = false;

private:
    std::shared_ptr<Log> m_log;
    std::vector<acad::LayerPtr> m_layers;
};

class Linetype : public acad::AcadLinetype {
public:
    explicit Linetype(QString n) : m_name(std::move(n)) {}
    QString Name() const override { return m_name; }

private:
    QString m_name;
};

class Linetypes : public acad::AcadLinetypes {
public:
    explicit Linetypes(QStringList names) : m_names(std::move(names)) {}
    long Count() const override { return m_names.size(); }
    acad::LinetypePtr Item(long i) const override { return std::make_shared<Linetype>(m_names.at(i)); }

private:
    QStringList m_names;
};

class ModelSpace : public acad::AcadModelSpace {};

class Document : public acad::AcadDocument {
public:
    Document(std::shared_ptr<Log> log, QString folder, QString name, std::vector<LayerData> layers,
             QStringList linetypes)
        : m_log(log), m_folder(std::move(folder)), m_name(std::move(name)),
          layers(std::make_shared<fake::Layers>(log, std::move(layers))),
          linetypes(std::make_shared<fake::Linetypes>(std::move(linetypes)))
    {
    }
    QString FullName() const override { return m_folder + QLatin1Char('/') + m_name; }
    QString Name() const override { return m_name; }
    QString Path() const override
    {
        if (pathReadsLeft == 0)
            throw acad::AcadError(acad::err::ObjectErased, QStringLiteral("Object was erased"));
        if (pathReadsLeft > 0)
            --pathReadsLeft;
        return m_folder;
    }
    // Path answers this many times, then fails (-1: always answers).
    mutable int pathReadsLeft = -1;
    acad::ModelSpacePtr ModelSpace() const override { return std::make_shared<fake::ModelSpace>(); }
    acad::LayersPtr Layers() const override
    {
        m_log->calls.append(QStringLiteral("Document.Layers"));
        return layers;
    }
    acad::LinetypesPtr Linetypes() const override { return linetypes; }
    acad::LayerPtr ActiveLayer() const override { return layers->Item(0); }
    void setActiveLayer(const acad::LayerPtr &) override {}
    int ActiveSpace() const override { return 1; }
    bool MSpace() const override { return false; }
    void Regen(int) override {}
    acad::SelectionSetsPtr SelectionSets() const override { return nullptr; }
    acad::EntityPtr HandleToObject(const QString &) const override { return nullptr; }
    void Export(const QString &, const QString &, const acad::SelectionSetPtr &) override {}

    std::shared_ptr<Log> m_log;
    QString m_folder, m_name;
    std::shared_ptr<fake::Layers> layers;
    std::shared_ptr<fake::Linetypes> linetypes;
};

class Application : public acad::AcadApplication {
public:
    QString Caption() const override { return caption; }
    void setWindowState(int s) override { log.append(QStringLiteral("WindowState=%1").arg(s)); }
    void setWidth(int v) override { log.append(QStringLiteral("Width=%1").arg(v)); }
    void setHeight(int v) override { log.append(QStringLiteral("Height=%1").arg(v)); }
    void setWindowTop(int v) override { log.append(QStringLiteral("WindowTop=%1").arg(v)); }
    void setWindowLeft(int v) override { log.append(QStringLiteral("WindowLeft=%1").arg(v)); }
    void setVisible(bool v) override { log.append(QStringLiteral("Visible=%1").arg(v)); }
    acad::DocumentPtr ActiveDocument() const override
    {
        if (!document)
            throw acad::AcadError(acad::err::NoDocument, QStringLiteral("No document is open"));
        return document;
    }
    void Update() override {}
    acad::StatePtr GetAcadState() const override { return nullptr; }

    QString caption = QStringLiteral("Fake Host");
    std::shared_ptr<Document> document;
    QStringList log;
};

class Connector : public acad::AcadConnector {
public:
    acad::ApplicationPtr GetObject() override
    {
        if (!running)
            throw acad::AcadError(429, QStringLiteral("ActiveX component can't create object"));
        return running;
    }
    acad::ApplicationPtr CreateObject() override
    {
        if (!startable)
            throw acad::AcadError(429, QStringLiteral("ActiveX component can't create object"));
        running = startable;
        return running;
    }
    std::shared_ptr<Application> running;   // attached to when set
    std::shared_ptr<Application> startable; // started on CreateObject when set
};

} // namespace fake
