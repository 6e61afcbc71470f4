#pragma once

// Publishing helpers shared by the classes of the model: the nested values (font, frame,
// fill) appear as flat dotted properties.

#include "rpProperty.h"
#include "rpTypes.h"

inline const QStringList& rpFontStyleNames()
{
    static const QStringList names {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};
    return names;
}

inline const QStringList& rpFrameStyleNames()
{
    static const QStringList names {
        "fsSolid", "fsDash", "fsDot", "fsDashDot", "fsDashDotDot", "fsDouble"};
    return names;
}

template <class C, class Access> void rpPublishFont(TrpPropertyList& list, Access font)
{
    using T = TrpPropType;
    const auto part = [&list](TrpProperty p, double limit = rpMaxNumber) {
        p.fontPart = true;
        p.limit = limit;
        list.append(std::move(p));
    };
    part(rpField<C>(
        "Font.Name", T::String, [font](C & c) -> auto& { return font(c).Name; }));
    part(rpField<C>(
             "Font.Height", T::Int, [font](C & c) -> auto& { return font(c).Height; }),
        rpMaxFontHeight);
    part(rpField<C>(
        "Font.Style", T::Set, [font](C & c) -> auto& { return font(c).Style; },
        rpFontStyleNames()));
    part(rpField<C>(
             "Font.Charset", T::Int, [font](C & c) -> auto& { return font(c).Charset; }),
        255);
    part(rpField<C>(
        "Font.Color", T::Color, [font](C & c) -> auto& { return font(c).Color; }));
}

template <class C, class Access>
void rpPublishFrameLine(TrpPropertyList& list, const QString& prefix, Access line)
{
    using T = TrpPropType;
    list.append(rpField<C>(
        prefix + ".Color", T::Color, [line](C & c) -> auto& { return line(c).Color; }));
    list.append(rpField<C>(
        prefix + ".Style", T::Enum, [line](C & c) -> auto& { return line(c).Style; },
        rpFrameStyleNames()));
    list.append(rpField<C>(
        prefix + ".Width", T::Float, [line](C & c) -> auto& { return line(c).Width; }));
}

template <class C, class Access> void rpPublishFrame(TrpPropertyList& list, Access frame)
{
    using T = TrpPropType;
    list.append(rpField<C>("Frame.Typ", T::Set, [frame](C & c) -> auto& { return frame(c).Typ; },
        {"ftLeft", "ftRight", "ftTop", "ftBottom"}));
    list.append(rpField<C>(
        "Frame.Color", T::Color, [frame](C & c) -> auto& { return frame(c).Color; }));
    list.append(rpField<C>(
        "Frame.Width", T::Float, [frame](C & c) -> auto& { return frame(c).Width; }));
    list.append(rpField<C>(
        "Frame.Style", T::Enum, [frame](C & c) -> auto& { return frame(c).Style; },
        rpFrameStyleNames()));
    list.append(rpField<C>(
        "Frame.DropShadow", T::Bool, [frame](C & c) -> auto& { return frame(c).DropShadow; }));
    list.append(rpField<C>(
        "Frame.ShadowWidth", T::Float, [frame](C & c) -> auto& { return frame(c).ShadowWidth; }));
    list.append(rpField<C>(
        "Frame.ShadowColor", T::Color, [frame](C & c) -> auto& { return frame(c).ShadowColor; }));
    rpPublishFrameLine<C>(
        list, "Frame.LeftLine", [frame](C & c) -> auto& { return frame(c).LeftLine; });
    rpPublishFrameLine<C>(
        list, "Frame.TopLine", [frame](C & c) -> auto& { return frame(c).TopLine; });
    rpPublishFrameLine<C>(
        list, "Frame.RightLine", [frame](C & c) -> auto& { return frame(c).RightLine; });
    rpPublishFrameLine<C>(
        list, "Frame.BottomLine", [frame](C & c) -> auto& { return frame(c).BottomLine; });
}

// The fill; its back colour is published as the object's Color.
template <class C, class Access> void rpPublishFill(TrpPropertyList& list, Access fill)
{
    using T = TrpPropType;
    list.append(rpField<C>(
        "Color", T::Color, [fill](C & c) -> auto& { return fill(c).BackColor; }));
    list.append(rpField<C>(
        "Fill.ForeColor", T::Color, [fill](C & c) -> auto& { return fill(c).ForeColor; }));
    list.append(rpField<C>("Fill.Style", T::Enum, [fill](C & c) -> auto& { return fill(c).Style; },
        {"bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal", "bsBDiagonal",
            "bsCross", "bsDiagCross"}));
}

// The class information of a model class C derived from Base.
template <class C, class Base> TrpClassInfo rpClassInfo(const char* name)
{
    TrpClassInfo info;
    info.name = QString::fromLatin1(name);
    if constexpr (!std::is_void_v<Base>)
        info.base = &Base::staticClassInfo();
    info.create = [] { return new C; };
    info.publish = [](TrpPropertyList& list) { C::publishOwn(list); };
    return info;
}

// The two class-information functions every class of the model defines.
#define RP_CLASS_INFO(Class, Base)                                                                 \
    const TrpClassInfo& Class::staticClassInfo()                                                   \
    {                                                                                              \
        static const TrpClassInfo info = rpClassInfo<Class, Base>(#Class);                         \
        return info;                                                                               \
    }                                                                                              \
    const TrpClassInfo& Class::classInfo() const { return staticClassInfo(); }
