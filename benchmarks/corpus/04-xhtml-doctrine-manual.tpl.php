<!DOCTYPE html PUBLIC "-//W3C//DTD XHTML 1.0 Strict//EN"
     "http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd">
<html xmlns="http://www.w3.org/1999/xhtml" xml:lang="en" lang="en">

<head>

<title>%TITLE%</title>
<meta http-equiv="Content-Type" content="text/html; charset=utf-8" />
<meta name="description" content="%SUBJECT%" />
<meta name="keywords" content="%KEYWORDS" />

<link rel="stylesheet" type="text/css" href="styles/basic.css" media="screen"/>
<link rel="stylesheet" type="text/css" href="styles/print.css" media="print"/>

<!--[if gte IE 5.5]>
<![if lt IE 7]>
<link rel="stylesheet" type="text/css" href="styles/iefix.css"/>
<![endif]>
<![endif]-->

<script type="text/javascript">
//<![CDATA[
var tocHideText = "hide"; var tocShowText = "show";
var tocStickyText = "sticky"; var tocUnstickyText = 'unstick';
//]]>
</script>

<script type="text/javascript" src="scripts/mootools.v1.11.js"></script>
<script type="text/javascript" src="scripts/tree.js"></script>
<script type="text/javascript" src="scripts/toc.js"></script>

</head>

<body>

<div id="wrap">

<div id="sidebar">

<div id="table-of-contents">

<h1>Table of Contents</h1>

%TOC%

<p><a href=".">Index</a></p>

</div>

</div>

<div id="content">

%CONTENT%

</div>

</div>


</body>
</html>
