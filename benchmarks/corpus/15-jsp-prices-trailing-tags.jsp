<!DOCTYPE HTML>
<%@ taglib uri="http://java.sun.com/jsp/jstl/core" prefix="c" %>
<%@ taglib prefix="spring" uri="http://www.springframework.org/tags"%>

<html>
<head>
    <meta charset="utf-8">
    <link href="resources/css/bootstrap.css" rel="stylesheet">

    <link href="resources/css/creative.css" rel="stylesheet">
    <link href="resources/css/font-awesome.min.css" rel="stylesheet">

    <link href="resources/css/background.css" rel="stylesheet">

    <link href='https://fonts.googleapis.com/css?family=Open+Sans:300italic,400italic,600italic,700italic,800italic,400,300,600,700,800' rel='stylesheet' type='text/css'>
    <link href='https://fonts.googleapis.com/css?family=Merriweather:400,300,300italic,400italic,700,700italic,900,900italic' rel='stylesheet' type='text/css'>

    <title>Prices</title>
</head>
<body>

<%@include file="header.jsp" %>

<div class="container whiteHeader">
    <h1 class="page-header">Prices</h1>
    <div align="center">
        <img class="thumbnail img-responsive" src="resources/images/prices.png"/>
    </div>
</div>

</body>
</html>
</title>
</head>
<body>

</body>
</html>
